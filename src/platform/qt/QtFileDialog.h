#pragma once

#include "ports/FileDialog.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace bw {

// The shared open/save dialog on Qt's file dialog. It starts in InitDir when
// that is set, otherwise in the folder the user last chose a file in.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent);

    void ShowOpen() override;
    void ShowSave() override;

    // "description|pattern|..." as Qt's filter list, in the same order.
    static QStringList qtFilters(const QString& filter);

    // The window the dialog is modal to and centred on.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

private:
    void show(bool save);

    QWidget* parent_;
    QString lastFolder_;
};

}  // namespace bw
