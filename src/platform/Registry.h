#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

namespace registry {

// Root keys, as the 32-bit handle values the system defines for them.
inline constexpr std::uint32_t kLocalMachine = 0x80000002;

// Value types.
inline constexpr std::uint32_t kString = 1;  // REG_SZ
inline constexpr std::uint32_t kNumber = 4;  // REG_DWORD, a 32-bit number, low byte first

// Results: the system's error codes.
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr std::int32_t kInvalidHandle = 6;  // ERROR_INVALID_HANDLE
inline constexpr std::int32_t kMoreData = 234;     // ERROR_MORE_DATA: the buffer is too small

// Where the system-information tool is registered: its full path, or the
// folder that holds MSINFO32.EXE.
inline constexpr char16_t kSysInfoKey[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char16_t kSysInfoValue[] = u"PATH";
inline constexpr char16_t kSysInfoLocationKey[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char16_t kSysInfoLocationValue[] = u"MSINFO";

}  // namespace registry

// Read access to the registry through its ANSI functions: key paths, value
// names and string data are bytes in the code page that encode() and decode()
// convert to and from. Every operation answers with a system error code,
// registry::kSuccess when it worked.
class Registry {
public:
    using Key = std::uintptr_t;

    virtual ~Registry() = default;

    // Opens a key below a root with an access mask; on success `key` is the open key.
    virtual std::int32_t openKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, Key& key) = 0;

    // Reads a value of an open key. On entry `size` is the size of `data` in
    // bytes; on success `type` is the value's type and `size` the number of
    // bytes stored into `data`, a string's terminating NUL included when the
    // value has one. A value larger than the buffer answers registry::kMoreData.
    virtual std::int32_t queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                                    std::uint32_t& size) = 0;

    virtual std::int32_t closeKey(Key key) = 0;

    // A text in the registry's code page, and back.
    virtual std::string encode(std::u16string_view text) const = 0;
    virtual std::u16string decode(std::string_view bytes) const = 0;
};

}  // namespace bw
