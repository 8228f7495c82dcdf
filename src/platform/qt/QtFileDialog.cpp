#include "QtFileDialog.h"

#include "TextConversion.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace bw {

QtFileDialog::QtFileDialog(QWidget* parent) : parent_(parent), lastFolder_(QDir::homePath()) {}

void QtFileDialog::ShowOpen() { show(false); }
void QtFileDialog::ShowSave() { show(true); }

QStringList QtFileDialog::qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QLatin1Char('(') + patterns + QLatin1Char(')');
        filters << (description.endsWith(suffix) ? description : description + QLatin1Char(' ') + suffix);
    }
    return filters;
}

void QtFileDialog::show(bool save) {
    const QString folder = InitDir.empty() ? lastFolder_ : toQString(InitDir);

    QFileDialog dialog(parent_, save ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(toQString(Filter));
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.first());
    }
    dialog.setDirectory(folder);
    dialog.selectFile(toQString(FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;  // cancelled: FileName stays as the caller set it
    }
    const QString chosen = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    lastFolder_ = QFileInfo(chosen).absolutePath();
    FileName = toU16(QDir::toNativeSeparators(chosen));
}

}  // namespace bw
