#include "Win32Registry.h"

#include "platform/SystemRegistry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace bw {

namespace {

// The predefined root handles are 32-bit values sign-extended to the pointer
// size (HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002).
HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

HKEY keyHandle(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

std::int32_t Win32Registry::openKey(std::uint32_t root, const std::string& subKey, std::uint32_t access, Key& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, static_cast<REGSAM>(access), &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
    return static_cast<std::int32_t>(result);
}

std::int32_t Win32Registry::queryValue(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                                       std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD byteCount = static_cast<DWORD>(size);
    const LONG result = RegQueryValueExA(keyHandle(key), valueName.c_str(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(data), &byteCount);
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        type = static_cast<std::uint32_t>(valueType);
        size = static_cast<std::uint32_t>(byteCount);
    }
    return static_cast<std::int32_t>(result);
}

std::int32_t Win32Registry::closeKey(Key key) { return static_cast<std::int32_t>(RegCloseKey(keyHandle(key))); }

std::string Win32Registry::encode(std::u16string_view text) const {
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<LPCWCH>(text.data());
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::u16string Win32Registry::decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<LPWSTR>(text.data()), needed);
    return text;
}

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace bw
