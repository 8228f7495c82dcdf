#include "PosixFiles.h"

#include "codec/Utf8.h"

#include <cerrno>
#include <cstring>

namespace bw::posix {

std::u16string reason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return text(FileProblem::NoPermission);
        case EROFS:
            return text(FileProblem::ReadOnlyFileSystem);
        case ENOSPC:
        case EDQUOT:
            return text(FileProblem::NoSpace);
        case ENAMETOOLONG:
            return text(FileProblem::NameTooLong);
        case ENOENT:
            return text(FileProblem::NotFound);
        case EISDIR:
            return text(FileProblem::IsFolder);
        case ENOMEM:
            return text(FileProblem::NoMemory);
        case ELOOP:
            return text(FileProblem::LinkLoop);
        case ENOTDIR:
            return text(FileProblem::NotAFolderOnThePath);
        case EBUSY:
        case ETXTBSY:
            return text(FileProblem::InUse);
        case EIO:
            return text(FileProblem::DiskError);
        case EFBIG:
            return text(FileProblem::TooLarge);
        case EMFILE:
        case ENFILE:
            return text(FileProblem::TooManyOpenFiles);
        default:
            break;
    }
    // The C library's texts are UTF-8 or ASCII.
    return fromUtf8(std::strerror(error));
}

FileProblem notRegular(mode_t mode) {
    if (S_ISDIR(mode)) {
        return FileProblem::IsFolder;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileProblem::Device;
    }
    if (S_ISFIFO(mode)) {
        return FileProblem::Fifo;
    }
    if (S_ISSOCK(mode)) {
        return FileProblem::Socket;
    }
    return FileProblem::NotRegularFile;
}

}  // namespace bw::posix
