#pragma once

#include "ports/MessageBoxService.h"

class QWidget;

namespace bw {

// The message box service on a modal MessageDialog.
class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent);

    int show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) override;
    int showFor(std::u16string_view prompt, int style, std::optional<std::u16string_view> title, int seconds) override;

    // The window the dialog is modal to and centred on.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

}  // namespace bw
