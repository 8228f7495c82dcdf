#pragma once

#include <QFile>
#include <QSet>
#include <QString>

namespace bw::test {

// The files a process has mapped, from /proc/<pid>/maps ("self" for this one).
inline QSet<QString> mappedFiles(const QString& pid = QStringLiteral("self")) {
    QSet<QString> files;
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly)) {
        return files;
    }
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash >= 0) {
            files.insert(QString::fromLocal8Bit(line.mid(slash)));
        }
    }
    return files;
}

// The web engine's libraries and our module that wraps it.
inline QStringList webEngineFiles(const QSet<QString>& files) {
    QStringList found;
    for (const QString& file : files) {
        const QString name = file.section(QLatin1Char('/'), -1);
        if (name.startsWith(QStringLiteral("libQt6WebEngine")) ||
            name.startsWith(QStringLiteral("libboxwright_webview"))) {
            found << file;
        }
    }
    return found;
}

inline bool anyContains(const QSet<QString>& files, const QString& part) {
    for (const QString& file : files) {
        if (file.contains(part)) {
            return true;
        }
    }
    return false;
}

}  // namespace bw::test
