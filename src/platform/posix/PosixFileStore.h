#pragma once

#include "ports/FileStore.h"

namespace bw {

// Files through POSIX calls. A file is written to a temporary file in the
// target's folder and renamed over the target, so a failed write leaves an
// existing file as it was. A file that cannot be replaced so without losing
// its identity (another name, an owner or group the temporary file cannot get,
// a folder that takes no new files) is written in place, its old contents kept
// until the new ones are on disk.
class PosixFileStore : public FileStore {
public:
    FileResult write(const std::u16string& path, std::string_view bytes) override;
    ReadFileResult read(const std::u16string& path) override;
    // Names are bytes here: see toUtf8Escaped.
    NameState look(const std::u16string& path) override;
    std::optional<std::u16string> unfinishedSave(const std::u16string& path) override;
    FileResult restoreUnfinishedSave(const std::u16string& path, const std::u16string& backup) override;
};

}  // namespace bw
