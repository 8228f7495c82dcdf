#include "Win32Files.h"

#include <algorithm>
#include <array>

namespace bw::win32 {

namespace {

// A path as GetFinalPathNameByHandleW gives it, without its \\?\ prefix where
// the ordinary form names the same file, for calls that take only that form.
std::wstring ordinaryPath(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + path.substr(7);
    }
    if (path.starts_with(L"\\\\?\\") && path.size() >= 6 && path[5] == L':') {
        return path.substr(4);
    }
    return path;
}

}  // namespace

bool writeAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), std::size_t{1} << 30));
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr)) {
            return false;
        }
        data.remove_prefix(written);
    }
    return true;
}

bool readAll(HANDLE file, std::string& out, std::uint64_t limit) {
    std::array<char, 65536> buffer;
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        out.append(buffer.data(), n);
        if (out.size() > limit) {
            SetLastError(ERROR_FILE_TOO_LARGE);
            return false;
        }
    }
}

bool rewind(HANDLE file) {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

DWORD inspect(const std::wstring& path, Existing& out) {
    const Handle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : error;
    }
    out.found = true;
    out.type = GetFileType(file.get());
    if (out.type != FILE_TYPE_DISK) {
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) {
        return GetLastError();
    }
    out.attributes = info.dwFileAttributes;
    out.links = info.nNumberOfLinks;
    std::wstring final(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= final.size()) {
        final.resize(n);
        n = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (n == 0 || n >= final.size()) {
        return GetLastError();
    }
    final.resize(n);
    out.path = ordinaryPath(final);
    return 0;
}

}  // namespace bw::win32
