#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

struct FileResult {
    bool ok = true;
    std::u16string error;  // the reason, for a message box, when not ok
};

// What a path names, told apart by what the system calls the same file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Whether anything has a name (a dangling symbolic link included), and the
// identity of the file it leads to, when there is one.
struct NameState {
    bool taken = false;
    std::optional<FileIdentity> file;
};

struct ReadFileResult {
    bool ok = true;
    std::u16string error;
    std::string bytes;
};


// Files as bytes; what the bytes say is the codec's business.
class FileStore {
public:
    virtual ~FileStore() = default;

    // Writes the bytes as the file's whole contents. The file gets the new
    // contents whole or keeps its old ones: a failed write leaves no trace. A
    // symbolic link is written through to its target (created when missing).
    // An existing file keeps its identity: its mode, owner, group and other
    // names. Anything that is not a regular file, and a read-only file, is
    // refused and left as it is.
    virtual FileResult write(const std::u16string& path, std::string_view bytes) = 0;

    // Reads a regular file whole; anything else, and a file too large to
    // be a script (kLargestReadableFile, FileProblem.h), is refused without waiting on it.
    virtual ReadFileResult read(const std::u16string& path) = 0;

    // The copy of the old contents that a save of the file left when it was
    // interrupted while writing over the file itself; nothing when there is
    // none (the stores that keep no such copy never have one).
    virtual std::optional<std::u16string> unfinishedSave(const std::u16string& path) {
        static_cast<void>(path);
        return std::nullopt;
    }
    // Puts that copy back into the file, and removes it.
    virtual FileResult restoreUnfinishedSave(const std::u16string& path, const std::u16string& backup) {
        static_cast<void>(path);
        static_cast<void>(backup);
        return {false, u""};
    }

    // What the path names now; nothing is created or opened for writing.
    virtual NameState look(const std::u16string& path) = 0;
};

}  // namespace bw
