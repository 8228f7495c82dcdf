#pragma once

#include "platform/Registry.h"

#include <set>
#include <string>
#include <vector>

namespace bw {

// The registry where the system has none: one key, the local machine's
// "SOFTWARE\Microsoft\Shared Tools\MSINFO", with one string value, "PATH",
// the full path of the first system-information program found on the search
// path. Every other key and value is missing. Names match without regard to
// case, as in the registry; texts are in code page 932.
//
// A program whose path holds a blank, or a character code page 932 lacks, is
// passed over: the launcher would cut the one and the code page lose the other.
//
// Standard C++ and POSIX calls only. Paths are the file system's bytes, read
// as UTF-8.
class PosixRegistry : public Registry {
public:
    // Searches the folders of PATH as it stands at each look-up.
    PosixRegistry();
    // Searches the given folders for the given program names, in that order.
    PosixRegistry(std::vector<std::string> folders, std::vector<std::string> programs);

    // The programs looked for, most capable first.
    static std::vector<std::string> defaultPrograms();

    // The full path of the first program found, or "" when there is none.
    std::string sysInfoProgram() const;

    std::int32_t openKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, Key& key) override;
    std::int32_t queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) override;
    std::int32_t closeKey(Key key) override;

    std::string encode(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;

private:
    std::vector<std::string> searchFolders() const;

    bool pathFromEnvironment_ = true;
    std::vector<std::string> folders_;
    std::vector<std::string> programs_;
    std::set<Key> openKeys_;
    Key nextKey_ = 1;
};

}  // namespace bw
