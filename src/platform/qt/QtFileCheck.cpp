#include "QtFileCheck.h"

#include <QFileInfo>

namespace bw {

bool QtFileCheck::plainFileExists(const QString& path) const {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

}  // namespace bw
