#pragma once

#include "model/MessageBoxService.h"

class QWidget;

namespace bw {

// The message box service on a modal MessageDialog.
class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent);

    int show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) override;

private:
    QWidget* parent_;
};

}  // namespace bw
