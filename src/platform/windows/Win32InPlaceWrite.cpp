#include "Win32Files.h"

#include <new>

namespace bw::win32 {

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

}  // namespace bw::win32
