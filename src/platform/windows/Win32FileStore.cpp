// Files through the Windows API.
#include "platform/FileProblem.h"
#include "platform/SystemFileStore.h"

#include <windows.h>

#include <cwchar>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <string>

namespace bw {

namespace {

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// The system's text for an error code, in the system's language.
std::u16string systemText(DWORD error) {
    wchar_t* message = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::u16string out;
    for (DWORD i = 0; i < n; ++i) {
        if (message[i] != L'\r' && message[i] != L'\n') {
            out += static_cast<char16_t>(message[i]);
        }
    }
    LocalFree(message);
    return out;
}

std::u16string text(FileProblem problem) { return std::u16string(fileProblemText(problem)); }

// The reason for an error code: the common ones in the program's own words,
// the rest in the system's.
std::u16string reason(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return text(FileProblem::NoPermission);
        case ERROR_WRITE_PROTECT:
            return text(FileProblem::ReadOnlyFileSystem);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return text(FileProblem::NoSpace);
        case ERROR_FILENAME_EXCED_RANGE:
            return text(FileProblem::NameTooLong);
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return text(FileProblem::NotFound);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return text(FileProblem::NoMemory);
        default:
            return systemText(error);
    }
}

FileResult failure(DWORD error) { return {false, reason(error)}; }
FileResult failure(FileProblem problem) { return {false, text(problem)}; }

// Why something that is not a file on a disk (GetFileType) is neither saved over nor opened.
FileProblem notRegular(DWORD type) {
    switch (type) {
        case FILE_TYPE_CHAR:
            return FileProblem::Device;
        case FILE_TYPE_PIPE:
            return FileProblem::Fifo;
        default:
            return FileProblem::NotRegularFile;
    }
}

// A handle, closed when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

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

bool readAll(HANDLE file, std::string& out) {
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

// What a path names, its symbolic links followed.
struct Existing {
    bool found = false;
    DWORD type = FILE_TYPE_UNKNOWN;
    DWORD attributes = 0;
    DWORD links = 0;
    std::wstring path;  // the file's own path
};

// 0, with `found` false when nothing is there, or the error code.
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

// Writes the content to a new file beside the target and puts it in the
// target's place: ReplaceFileW for an existing file, which keeps its
// attributes, security and streams; a rename for a new one. `unkept` tells,
// when nothing was written, that the file could not be replaced (no right to
// create files in its folder, or to remove the old file), so that it may be
// written in place instead.
FileResult replaceWhole(const std::wstring& target, std::string_view content, bool exists, bool& unkept) {
    unkept = false;
    if (exists) {
        // A file another program holds open without sharing cannot be
        // replaced; say so before anything is written beside it.
        const Handle probe(CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.valid()) {
            const DWORD error = GetLastError();
            if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
                return failure(error);
            }
        }
    }
    wchar_t temp[MAX_PATH + 1];
    if (GetTempFileNameW(folderOf(target).c_str(), L"bxw", 0, temp) == 0) {
        const DWORD error = GetLastError();
        unkept = exists && error == ERROR_ACCESS_DENIED;
        return failure(error);
    }
    DWORD error = 0;
    {
        const Handle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() || !writeAll(file.get(), content) || !FlushFileBuffers(file.get())) {
            error = GetLastError();
        }
    }
    if (error == 0 && exists && !ReplaceFileW(target.c_str(), temp, nullptr, 0, nullptr, nullptr)) {
        error = GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            // The old file is gone and the new contents are still under the
            // temporary name: they take the target's name, or stay where they are.
            if (MoveFileExW(temp, target.c_str(), MOVEFILE_WRITE_THROUGH)) {
                return {};
            }
            const DWORD moveError = GetLastError();
            // Where the old file is still in place (Wine reports this error
            // before it moved anything), the temporary file goes; where it is
            // gone, the new contents stay under the temporary name, which the
            // message gives.
            if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
                DeleteFileW(temp);
                return failure(moveError);
            }
            FileResult result = failure(moveError);
            result.error += u"新しい内容は「" + std::u16string(temp, temp + std::wcslen(temp)) + u"」に残っています。";
            return result;
        }
        unkept = error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_ACCESS_DENIED;
    }
    if (error == 0 && !exists && !MoveFileExW(temp, target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != 0) {
        DeleteFileW(temp);
        return failure(error);
    }
    return {};
}

// Writes the content over the file itself, which so keeps every name and all
// else. The old contents stay in memory until the new ones are written and
// flushed, and are put back if that fails.
FileResult writeInPlace(const std::wstring& target, std::string_view content) {
    const Handle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return failure(GetLastError());
    }
    if (const DWORD type = GetFileType(file.get()); type != FILE_TYPE_DISK) {
        return failure(notRegular(type));
    }
    std::string old;
    try {
        if (!readAll(file.get(), old)) {
            return failure(GetLastError());
        }
    } catch (const std::bad_alloc&) {
        return failure(FileProblem::NoMemory);
    }
    if (!rewind(file.get()) || !writeAll(file.get(), content) || !SetEndOfFile(file.get()) ||
        !FlushFileBuffers(file.get())) {
        const DWORD error = GetLastError();
        // The old contents go back over the clusters they had.
        static_cast<void>(rewind(file.get()) && writeAll(file.get(), old) && SetEndOfFile(file.get()) &&
                          FlushFileBuffers(file.get()));
        return failure(error);
    }
    return {};
}

// Creates the missing target of a symbolic link by writing through the link;
// a file that fails to be written is deleted again, the link left as it was.
FileResult createThroughLink(const std::wstring& link, std::string_view content) {
    const Handle file(
        CreateFileW(link.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return failure(GetLastError());
    }
    if (!writeAll(file.get(), content) || !FlushFileBuffers(file.get())) {
        const DWORD error = GetLastError();
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        SetFileInformationByHandle(file.get(), FileDispositionInfo, &remove, sizeof remove);
        return failure(error);
    }
    return {};
}

class Win32FileStore : public FileStore {
public:
    FileResult write(const std::u16string& path, std::string_view content) override {
        const std::wstring target = wide(path);
        Existing existing;
        if (const DWORD error = inspect(target, existing); error != 0) {
            return failure(error);
        }
        bool unkept = false;
        if (!existing.found) {
            const DWORD attributes = GetFileAttributesW(target.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                return createThroughLink(target, content);
            }
            return replaceWhole(target, content, false, unkept);
        }
        // A device, pipe or folder is never replaced by a file.
        if (existing.type != FILE_TYPE_DISK) {
            return failure(notRegular(existing.type));
        }
        if (existing.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return failure(FileProblem::IsFolder);
        }
        if (existing.attributes & FILE_ATTRIBUTE_READONLY) {
            return failure(FileProblem::ReadOnlyFile);
        }
        // Another name of the file would keep the old contents if it were replaced.
        if (existing.links == 1) {
            FileResult result = replaceWhole(existing.path, content, true, unkept);
            if (!unkept) {
                return result;
            }
        }
        return writeInPlace(existing.path, content);
    }

    ReadFileResult read(const std::u16string& path) override {
        const std::wstring source = wide(path);
        const DWORD attributes = GetFileAttributesW(source.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return {false, text(FileProblem::IsFolder), {}};
        }
        // Another program may hold the script open, even for writing.
        const Handle opened(CreateFileW(source.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        const HANDLE file = opened.get();
        if (!opened.valid()) {
            return {false, reason(GetLastError()), {}};
        }
        // Only a file on a disk is read: a device or pipe may never end.
        if (const DWORD type = GetFileType(file); type != FILE_TYPE_DISK) {
            return {false, text(notRegular(type)), {}};
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size)) {
            return {false, reason(GetLastError()), {}};
        }
        if (static_cast<std::uint64_t>(size.QuadPart) > kLargestReadableFile) {
            return {false, text(FileProblem::TooLarge), {}};
        }
        ReadFileResult result;
        try {
            result.bytes.reserve(static_cast<std::size_t>(size.QuadPart));
            if (!readAll(file, result.bytes)) {
                return {false, reason(GetLastError()), {}};
            }
        } catch (const std::bad_alloc&) {
            // A file larger than the memory there is: reported like any failed read.
            return {false, text(FileProblem::NoMemory), {}};
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<Win32FileStore>(); }

}  // namespace bw
