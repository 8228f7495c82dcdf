#pragma once

#include "model/FileDialog.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace bw {

// The shared open/save dialog on Qt's file dialog. It starts in the folder the
// user last chose a file in, unless a start folder is given for the next use.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent);

    void ShowOpen() override;
    void ShowSave() override;

    // The folder the next dialog opens in; used once, then the last folder applies again.
    void setNextStartFolder(const QString& folder);

    // "description|pattern|..." as Qt's filter list, in the same order.
    static QStringList qtFilters(const QString& filter);

private:
    void show(bool save);

    QWidget* parent_;
    QString lastFolder_;
    QString nextStartFolder_;
};

}  // namespace bw
