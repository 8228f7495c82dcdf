#include "Win32Files.h"

#include <cwchar>

namespace bw::win32 {

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

}  // namespace bw::win32
