#include "ScriptDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace bw {

namespace {

struct DraggedFiles {
    bool local = false;  // whether the drag carries any local file
    QString script;      // the first local .vbs or .ps1 file, or ""
};

DraggedFiles draggedFiles(const QMimeData* data) {
    DraggedFiles found;
    if (!data || !data->hasUrls()) {
        return found;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            continue;
        }
        found.local = true;
        const QString suffix = QFileInfo(url.fileName()).suffix();
        if (suffix.compare(QLatin1String("vbs"), Qt::CaseInsensitive) == 0 ||
            suffix.compare(QLatin1String("ps1"), Qt::CaseInsensitive) == 0) {
            found.script = url.toLocalFile();
            break;
        }
    }
    return found;
}

}  // namespace

bool handleFileDrag(QEvent* event, const std::function<void(const QString&)>& open) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    const DraggedFiles files = draggedFiles(drag->mimeData());
    if (!files.local) {
        return false;
    }
    const QString& path = files.script;
    if (path.isEmpty()) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        open(path);
    }
    return true;
}

}  // namespace bw
