#include "PosixRegistry.h"

#include "codec/CodePage932.h"
#include "codec/Utf8.h"
#include "model/AsciiCase.h"
#include "platform/SystemRegistry.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace bw {

namespace {

// A name as the registry's ANSI functions take it, against one of its own.
bool sameName(const std::string& a, std::u16string_view b) {
    std::u16string wide;
    wide.reserve(a.size());
    for (const char c : a) {
        wide.push_back(static_cast<unsigned char>(c));
    }
    return sameIgnoringAsciiCase(wide, b);
}

// The folders of a search path, in order, without the empty ones.
std::vector<std::string> splitSearchPath(std::string_view path) {
    std::vector<std::string> folders;
    while (!path.empty()) {
        const std::size_t colon = path.find(':');
        const std::string_view folder = path.substr(0, colon);
        if (!folder.empty()) {
            folders.emplace_back(folder);
        }
        if (colon == std::string_view::npos) {
            break;
        }
        path.remove_prefix(colon + 1);
    }
    return folders;
}

// A regular file (after following links) that this process may run.
bool isExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

PosixRegistry::PosixRegistry() : programs_(defaultPrograms()) {}

PosixRegistry::PosixRegistry(std::vector<std::string> folders, std::vector<std::string> programs)
    : pathFromEnvironment_(false), folders_(std::move(folders)), programs_(std::move(programs)) {}

std::vector<std::string> PosixRegistry::defaultPrograms() {
    return {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk"};
}

std::vector<std::string> PosixRegistry::searchFolders() const {
    if (!pathFromEnvironment_) {
        return folders_;
    }
    const char* path = std::getenv("PATH");
    return splitSearchPath(path != nullptr ? path : "");
}

std::string PosixRegistry::sysInfoProgram() const {
    const std::vector<std::string> folders = searchFolders();
    for (const std::string& program : programs_) {
        for (const std::string& folder : folders) {
            // Only absolute folders: a relative one would make the path depend on the current folder.
            if (!std::filesystem::path(folder).is_absolute()) {
                continue;
            }
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            if (!isExecutableFile(candidate)) {
                continue;
            }
            const std::string path = candidate.lexically_normal().string();
            const std::u16string text = fromUtf8(path);
            if (path.find_first_of(" \t") != std::string::npos || decode(encode(text)) != text) {
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
    const std::string program = sysInfoProgram();
    if (program.empty()) {
        return registry::kNotFound;
    }
    std::string bytes = encode(fromUtf8(program));
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

std::string PosixRegistry::encode(std::u16string_view text) const { return encodeCodePage932(text); }

std::u16string PosixRegistry::decode(std::string_view bytes) const { return decodeCodePage932(bytes); }

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<PosixRegistry>(); }

}  // namespace bw
