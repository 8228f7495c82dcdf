// Files through the Windows API.
#include "Win32Files.h"

#include "platform/SystemFileStore.h"

#include <cstdint>
#include <new>

namespace bw {

namespace {

using namespace win32;

class Win32FileStore : public FileStore {
public:
    NameState look(const std::u16string& path) override {
        const std::wstring name = wide(path);
        NameState state;
        state.taken = GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
        const Handle file(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (file.valid() && GetFileInformationByHandle(file.get(), &info)) {
            state.file = FileIdentity{info.dwVolumeSerialNumber,
                                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
        }
        return state;
    }

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
        // The size, where the system gives it, refuses a large file at once
        // and makes room for the bytes; the read stops at the limit anyway.
        LARGE_INTEGER size{};
        const std::uint64_t sizeHint = GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
        if (sizeHint > kLargestReadableFile) {
            return {false, text(FileProblem::TooLarge), {}};
        }
        ReadFileResult result;
        try {
            result.bytes.reserve(static_cast<std::size_t>(sizeHint));
            if (!readAll(file, result.bytes, kLargestReadableFile)) {
                const DWORD error = GetLastError();
                return {false, error == ERROR_FILE_TOO_LARGE ? text(FileProblem::TooLarge) : reason(error), {}};
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
