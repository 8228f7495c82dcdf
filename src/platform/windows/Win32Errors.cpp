#include "Win32Files.h"

namespace bw::win32 {

namespace {

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

}  // namespace

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
        case ERROR_CANT_RESOLVE_FILENAME:
            return text(FileProblem::LinkLoop);
        case ERROR_DIRECTORY:
            return text(FileProblem::NotAFolderOnThePath);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return text(FileProblem::InUse);
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
            return text(FileProblem::DiskError);
        case ERROR_FILE_TOO_LARGE:
            return text(FileProblem::TooLarge);
        case ERROR_TOO_MANY_OPEN_FILES:
            return text(FileProblem::TooManyOpenFiles);
        default:
            return systemText(error);
    }
}

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

}  // namespace bw::win32
