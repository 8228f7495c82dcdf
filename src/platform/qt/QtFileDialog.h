#pragma once

#include "ports/FileDialog.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace bw {

// The shared open/save dialog on Qt's file dialog. It starts in the folder the
// last request that named one set, or, while that is empty, in the folder the
// user last chose a file in.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent);

    std::optional<std::u16string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::u16string> showSave(const FileDialogRequest& request) override;

    // "description|pattern|..." as Qt's filter list, in the same order.
    static QStringList qtFilters(const QString& filter);

    // The window the dialog is modal to and centred on.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

private:
    std::optional<std::u16string> show(bool save, const FileDialogRequest& request);

    QWidget* parent_;
    QString lastFolder_;
    std::u16string initDir_;
};

}  // namespace bw
