#include "ScriptDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace bw {

namespace {

bool carriesLocalFiles(const QMimeData* data) {
    const QList<QUrl> urls = data->hasUrls() ? data->urls() : QList<QUrl>();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

}  // namespace

QString droppedScriptPath(const QMimeData* data) {
    if (!data || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        const QString suffix = QFileInfo(url.fileName()).suffix();
        if (url.isLocalFile() && (suffix.compare(QLatin1String("vbs"), Qt::CaseInsensitive) == 0 ||
                                  suffix.compare(QLatin1String("ps1"), Qt::CaseInsensitive) == 0)) {
            return url.toLocalFile();
        }
    }
    return {};
}

bool handleFileDrag(QEvent* event, const std::function<void(const QString&)>& open) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    if (!carriesLocalFiles(drag->mimeData())) {
        return false;
    }
    const QString path = droppedScriptPath(drag->mimeData());
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
