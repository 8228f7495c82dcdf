// The registry backend against the system's registry (Wine's, when run there):
// a test key is written through the wide API and read back through the backend.
#include "platform/windows/Win32Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace bw::test {
namespace {

constexpr wchar_t kTestKey[] = L"SOFTWARE\\Boxwright Tests";
constexpr char kTestKeyAnsi[] = "SOFTWARE\\Boxwright Tests";
const std::u16string kJapanesePath = u"C:\\プログラム\\ツール\\MSINFO32.EXE";

class Win32RegistryTest : public ::testing::Test {
protected:
    Win32Registry registry;

    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::wstring path(kJapanesePath.begin(), kJapanesePath.end());
        const DWORD number = 0x12345678;
        RegSetValueExW(key, L"PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKey); }

    Registry::Key open() {
        Registry::Key key = 0;
        EXPECT_EQ(registry.openKey(registry::kLocalMachine, kTestKeyAnsi, KEY_READ, key), registry::kSuccess);
        return key;
    }
};

TEST_F(Win32RegistryTest, ReadsAStringInTheCodePage) {
    // The interface's texts are in the system code page: Japanese needs 932.
    ASSERT_EQ(GetACP(), 932u) << "run with a Japanese system locale (Wine: LC_ALL=ja_JP.UTF-8)";
    const Registry::Key key = open();
    unsigned char data[260] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = 0;
    ASSERT_EQ(registry.queryValue(key, registry.encode(u"PATH"), type, data, size), registry::kSuccess);
    EXPECT_EQ(type, registry::kString);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(data[size - 1], '\0');  // the terminating NUL is counted
    EXPECT_EQ(registry.decode(std::string_view(reinterpret_cast<const char*>(data), size - 1)), kJapanesePath);
    EXPECT_EQ(registry.encode(kJapanesePath).size(), size - 1);
    EXPECT_EQ(registry.closeKey(key), registry::kSuccess);
}

TEST_F(Win32RegistryTest, ReadsANumberAndAsksForRoom) {
    const Registry::Key key = open();
    unsigned char data[4] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = 0;
    ASSERT_EQ(registry.queryValue(key, "Number", type, data, size), registry::kSuccess);
    EXPECT_EQ(type, registry::kNumber);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::memcmp(data, "\x78\x56\x34\x12", 4), 0);

    size = 2;
    EXPECT_EQ(registry.queryValue(key, "PATH", type, data, size), registry::kMoreData);
    EXPECT_EQ(size, registry.encode(kJapanesePath).size() + 1);
    size = sizeof data;
    EXPECT_EQ(registry.queryValue(key, "Missing", type, data, size), registry::kNotFound);
    registry.closeKey(key);
}

TEST_F(Win32RegistryTest, AMissingKeyIsNotFound) {
    Registry::Key key = 1;
    EXPECT_EQ(registry.openKey(registry::kLocalMachine, "SOFTWARE\\Boxwright Tests\\Missing", KEY_READ, key),
              registry::kNotFound);
    EXPECT_EQ(key, 0u);
}

}  // namespace
}  // namespace bw::test
