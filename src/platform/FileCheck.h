#pragma once

class QString;

namespace bw {

// Whether a path names an existing plain file: not a folder, not a hidden file.
class FileCheck {
public:
    virtual ~FileCheck() = default;

    virtual bool plainFileExists(const QString& path) const = 0;
};

}  // namespace bw
