#pragma once

#include "ports/FileStore.h"
#include "ports/FileProblem.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The pieces the POSIX file store is made of, each in a file of its own:
// the error texts (PosixErrors.cpp), the safe replace with the file-identity
// rules (SafeReplace.cpp) and the in-place write (InPlaceWrite.cpp).
namespace bw::posix {

// The reason for an errno value: the common ones in the program's own words,
// the rest in the C library's.
std::u16string reason(int error);

// Why something that is not a regular file is neither saved over nor opened.
FileProblem notRegular(mode_t mode);

inline std::u16string text(FileProblem problem) { return std::u16string(fileProblemText(problem)); }
inline FileResult failure(int error) { return FileResult{false, reason(error)}; }
inline FileResult failure(FileProblem problem) { return FileResult{false, text(problem)}; }

// A file descriptor, closed when it goes out of scope.
struct Descriptor {
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

// Writes all of `data` from the given offset; false with errno set when a write fails.
bool writeAllAt(int fd, std::string_view data, off_t offset);

// Reads the whole file from its start; false with errno set when a read fails,
// and with EFBIG once more than `limit` bytes came (a file that grows while it
// is read stops there).
bool readAll(int fd, std::string& out, std::uint64_t limit = UINT64_MAX);

std::string folderOf(const std::string& path);

// Follows symbolic links until the path names something else, whose status
// goes to `info`, or nothing (`exists` false): the file a save goes to. A link
// to a missing file thus gives the path at which to create it. 0 or errno.
int followLinks(std::string& path, struct stat& info, bool& exists);

// The files a save makes beside its target (TempFiles.cpp): the replacement
// being written, removed should the program be interrupted by a signal; and
// the copy of the old contents an in-place write keeps until it is done.
enum class TempKind { Replacement, Backup };

// Creates a file of its own under a fresh name in the folder, with the mode
// (less the umask and as the folder's default access rules say); -1 with errno
// set when it cannot.
int createTemp(const std::string& folder, mode_t mode, std::string& name, TempKind kind);

// The replacement is gone (renamed or removed): no longer the signal handler's.
void forgetTemp(const std::string& name);

// Called, when set, once a replacement holds the new contents and before it
// takes the target's place: where the tests interrupt a save.
inline void (*beforeReplacing)(const std::string& temp) = nullptr;

// Called, when set, once the old contents of a file written in place are kept
// aside and before the new ones go over them: where the tests interrupt it.
inline void (*beforeWritingInPlace)(const std::string& target) = nullptr;

// The suffix of the copy of a file's old contents kept beside it.
inline constexpr char kBackupSuffix[] = ".boxwright-backup";

// The copy of the old contents that a write in place of the file left when it
// did not finish (the program was killed, the machine stopped); nothing when
// there is none. A copy whose write did finish, or never began, is removed.
std::optional<std::string> unfinishedSave(const std::string& target);

// Puts the copy's contents back into the file and removes the copy.
FileResult restoreUnfinishedSave(const std::string& target, const std::string& backup);

// Removes the replacements of this user's saves in the folder that were left
// by a process that is gone (killed, or the machine stopped); each folder
// once in the life of the process.
void removeStaleTemps(const std::string& folder);

// Writes the content to a new file beside the target and renames it over the
// target, so the target is replaced whole or not at all. A new file gets the
// default mode; an existing one's mode, owner and group go to its replacement.
// `unkept` tells, when nothing was written, that the file could not be replaced
// while keeping them (no right to create files in its folder, or to give the
// file its owner or group), so that it may be written in place instead.
FileResult replaceWhole(const std::string& target, std::string_view content, const struct stat* existing,
                        bool& unkept);

// Writes the content over the file itself, which so keeps every name, its
// owner, group, mode and all else. Until the new contents are written and
// synced, the old ones are kept in memory and in a copy on the disk, should
// the program stop half way; a failed write puts them back. When even that
// fails, the message names the copy, which is then left in place.
FileResult writeInPlace(const std::string& target, std::string_view content);

}  // namespace bw::posix
