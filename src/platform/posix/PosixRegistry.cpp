#include "PosixRegistry.h"

#include "platform/SystemRegistry.h"
#include "platform/posix/IconvTextFileStore.h"
#include "platform/qt/TextConversion.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <utility>

namespace bw {

namespace {

bool sameName(const std::string& a, std::u16string_view b) {
    return QString::fromLatin1(a.data(), static_cast<qsizetype>(a.size())).compare(toQString(b), Qt::CaseInsensitive) ==
           0;
}

}  // namespace

PosixRegistry::PosixRegistry() : programs_(defaultPrograms()) {}

PosixRegistry::PosixRegistry(QStringList folders, QStringList programs)
    : pathFromEnvironment_(false), folders_(std::move(folders)), programs_(std::move(programs)) {}

QStringList PosixRegistry::defaultPrograms() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("lshw-gtk")};
}

QStringList PosixRegistry::searchFolders() const {
    if (!pathFromEnvironment_) {
        return folders_;
    }
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

QString PosixRegistry::sysInfoProgram() const {
    const QStringList folders = searchFolders();
    for (const QString& program : programs_) {
        for (const QString& folder : folders) {
            // Only absolute folders: a relative one would make the path depend on the current folder.
            if (!QDir::isAbsolutePath(folder)) {
                continue;
            }
            const QFileInfo candidate(QDir(folder), program);
            if (!candidate.isFile() || !candidate.isExecutable()) {
                continue;
            }
            const QString path = QDir::cleanPath(candidate.absoluteFilePath());
            const std::u16string text = toU16(path);
            if (path.contains(QLatin1Char(' ')) || path.contains(QLatin1Char('\t')) || decode(encode(text)) != text) {
                continue;
            }
            return path;
        }
    }
    return {};
}

std::int32_t PosixRegistry::openKey(std::uint32_t root, const std::string& subKey, std::uint32_t /*access*/, Key& key) {
    key = 0;
    if (root != registry::kLocalMachine || !sameName(subKey, registry::kSysInfoKey)) {
        return registry::kNotFound;
    }
    key = nextKey_++;
    openKeys_.insert(key);
    return registry::kSuccess;
}

std::int32_t PosixRegistry::queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                                       std::uint32_t& size) {
    if (openKeys_.count(key) == 0) {
        return registry::kInvalidHandle;
    }
    if (!sameName(valueName, registry::kSysInfoValue)) {
        return registry::kNotFound;
    }
    const QString program = sysInfoProgram();
    if (program.isEmpty()) {
        return registry::kNotFound;
    }
    std::string bytes = encode(toU16(program));
    bytes.push_back('\0');
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    type = registry::kString;
    if (data == nullptr) {
        // Asked for the size only.
        size = needed;
        return registry::kSuccess;
    }
    if (size < needed) {
        size = needed;
        return registry::kMoreData;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    size = needed;
    return registry::kSuccess;
}

std::int32_t PosixRegistry::closeKey(Key key) {
    return openKeys_.erase(key) == 1 ? registry::kSuccess : registry::kInvalidHandle;
}

std::string PosixRegistry::encode(std::u16string_view text) const { return IconvTextFileStore::encode(text); }

std::u16string PosixRegistry::decode(std::string_view bytes) const { return IconvTextFileStore::decode(bytes); }

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<PosixRegistry>(); }

}  // namespace bw
