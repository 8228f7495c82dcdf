#include "ProgramData.h"

#include <QCoreApplication>
#include <QDir>

namespace bw {

QString programDataPath(const QString& relative) {
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {relative, QStringLiteral("../share/boxwright/") + relative}) {
        if (exe.exists(candidate)) {
            return QDir::cleanPath(exe.absoluteFilePath(candidate));
        }
    }
    return {};
}

}  // namespace bw
