#pragma once

#include "ports/FileProblem.h"
#include "ports/FileStore.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// The pieces the Windows file store is made of, each in a file of its own:
// the error texts (Win32Errors.cpp), the file I/O basics (Win32FileIo.cpp),
// the safe replace (Win32SafeReplace.cpp) and the in-place write
// (Win32InPlaceWrite.cpp).
namespace bw::win32 {

inline std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string text(FileProblem problem) { return std::u16string(fileProblemText(problem)); }

// The reason for an error code: the common ones in the program's own words,
// the rest in the system's.
std::u16string reason(DWORD error);

inline FileResult failure(DWORD error) { return {false, reason(error)}; }
inline FileResult failure(FileProblem problem) { return {false, text(problem)}; }

// Why something that is not a file on a disk (GetFileType) is neither saved over nor opened.
FileProblem notRegular(DWORD type);

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

// Writes all of `data` at the file pointer; false when a write fails (GetLastError says why).
bool writeAll(HANDLE file, std::string_view data);
// Reads from the file pointer to the end; false when a read fails, and with
// ERROR_FILE_TOO_LARGE once more than `limit` bytes came.
bool readAll(HANDLE file, std::string& out, std::uint64_t limit = UINT64_MAX);
// Back to the file's start.
bool rewind(HANDLE file);
std::wstring folderOf(const std::wstring& path);

// What a path names, its symbolic links followed.
struct Existing {
    bool found = false;
    DWORD type = FILE_TYPE_UNKNOWN;
    DWORD attributes = 0;
    DWORD links = 0;
    std::wstring path;  // the file's own path
};

// 0, with `found` false when nothing is there, or the error code.
DWORD inspect(const std::wstring& path, Existing& out);

// Writes the content to a new file beside the target and puts it in the
// target's place: ReplaceFileW for an existing file, which keeps its
// attributes, security and streams; a rename for a new one. `unkept` tells,
// when nothing was written, that the file could not be replaced (no right to
// create files in its folder, or to remove the old file), so that it may be
// written in place instead.
FileResult replaceWhole(const std::wstring& target, std::string_view content, bool exists, bool& unkept);

// Writes the content over the file itself, which so keeps every name and all
// else. The old contents stay in memory until the new ones are written and
// flushed, and are put back if that fails.
FileResult writeInPlace(const std::wstring& target, std::string_view content);

// Creates the missing target of a symbolic link by writing through the link;
// a file that fails to be written is deleted again, the link left as it was.
FileResult createThroughLink(const std::wstring& link, std::string_view content);

}  // namespace bw::win32
