#pragma once

#include "platform/Registry.h"

namespace bw {

// The Windows registry through advapi32's ANSI functions (RegOpenKeyExA,
// RegQueryValueExA, RegCloseKey), texts in the system's ANSI code page.
class Win32Registry : public Registry {
public:
    std::int32_t openKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, Key& key) override;
    std::int32_t queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) override;
    std::int32_t closeKey(Key key) override;

    std::string encode(std::u16string_view text) const override;
    std::u16string decode(std::string_view bytes) const override;
};

}  // namespace bw
