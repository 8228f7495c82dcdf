#include "QtFileDialog.h"

#include "TextConversion.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace bw {

QtFileDialog::QtFileDialog(QWidget* parent) : parent_(parent), lastFolder_(QDir::homePath()) {}

std::optional<std::u16string> QtFileDialog::showOpen(const FileDialogRequest& request) { return show(false, request); }
std::optional<std::u16string> QtFileDialog::showSave(const FileDialogRequest& request) { return show(true, request); }

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

std::optional<std::u16string> QtFileDialog::show(bool save, const FileDialogRequest& request) {
    if (request.initDir) {
        initDir_ = *request.initDir;
    }
    const QString folder = initDir_.empty() ? lastFolder_ : toQString(initDir_);

    QFileDialog dialog(parent_, save ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(toQString(request.filter));
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.first());
    }
    dialog.setDirectory(folder);
    dialog.selectFile(toQString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return toU16(QDir::toNativeSeparators(chosen));
}

}  // namespace bw
