// The files through the Windows API, run under Windows or Wine: the compiled
// code page against the system's, and a write that replaces the file whole or
// not at all.
#include "codec/CodePage932.h"
#include "core/TestText.h"
#include "doubles/TextFiles.h"
#include "platform/SystemFileStore.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace bw::test {
namespace {

std::size_t entries(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

struct RoundTrip {
    const char* name;
    std::vector<std::u16string> lines;
    TextEncoding encoding;
    std::string bytes;
};

class Win32TextFiles : public ::testing::TestWithParam<RoundTrip> {
protected:
    TempFolder folder;
    std::unique_ptr<FileStore> store = makeSystemFileStore();
};

TEST_P(Win32TextFiles, WritesTheBytesAndReadsTheLinesBack) {
    const auto path = folder.file("a.vbs");
    ASSERT_TRUE(writeLines(*store, path, GetParam().lines, GetParam().encoding).ok);
    EXPECT_EQ(fileBytes(path), GetParam().bytes);
    const ReadLinesResult read = readLines(*store, path, 100, GetParam().encoding);
    ASSERT_TRUE(read.ok) << std::string(read.error.begin(), read.error.end());
    EXPECT_EQ(read.lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Win32TextFiles,
    ::testing::Values(RoundTrip{"Japanese",
                                {u"本文", u"ｱｲｳ", u"", u"a\rb\nc"},
                                TextEncoding::CodePage932,
                                "\x96\x7B\x95\xB6\r\n\xB1\xB2\xB3\r\n\r\na\rb\nc\r\n"},
                      RoundTrip{"BackslashAndTilde", {u"C:\\~"}, TextEncoding::CodePage932, "C:\\~\r\n"},
                      RoundTrip{"NoLines", {}, TextEncoding::CodePage932, ""},
                      RoundTrip{"Utf8",
                                {u"本文", u"é\U0001F600"},
                                TextEncoding::Utf8,
                                "\xEF\xBB\xBF\xE6\x9C\xAC\xE6\x96\x87\r\n\xC3\xA9\xF0\x9F\x98\x80\r\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The single bytes Windows' table defines on its own, which the compiled table
// has too; the system's conversion functions may leave them out.
bool windowsExtra(unsigned byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

// Every unit the system's code page 932 writes and reads back, the compiled
// table writes as the same bytes; and it holds no other unit.
TEST(Win32CodePage932, EncodesEveryUnitAsTheSystemDoes) {
    const CodePage932& table = CodePage932::get();
    int compared = 0;
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            continue;
        }
        const wchar_t in = static_cast<wchar_t>(unit);
        char out[4];
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out, nullptr, &usedDefault);
        wchar_t back = 0;
        const bool system = n >= 1 && n <= 2 && !usedDefault &&
                            MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, out, n, &back, 1) == 1 && back == in;
        const std::u16string text(1, static_cast<char16_t>(unit));
        if (system) {
            ++compared;
            ASSERT_EQ(encodeCodePage932(text), std::string(out, static_cast<std::size_t>(n))) << unit;
        } else if (unit != 0x80 && (unit < 0xF8F0 || unit > 0xF8F3)) {
            ASSERT_FALSE(table.holds(static_cast<char16_t>(unit))) << unit;
        }
    }
    EXPECT_GT(compared, 9000);
}

// Every single byte and every pair of bytes decodes as the system decodes it;
// where the system finds no character, the compiled table gives U+FFFD.
TEST(Win32CodePage932, DecodesEveryByteAndPairAsTheSystemDoes) {
    const auto system = [](const char* bytes, int n) -> char16_t {
        wchar_t unit = 0;
        return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, n, &unit, 1) == 1 ? static_cast<char16_t>(unit)
                                                                                       : u'\uFFFD';
    };
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (windowsExtra(byte) || IsDBCSLeadByteEx(932, static_cast<BYTE>(byte))) {
            continue;
        }
        const char one = static_cast<char>(byte);
        ASSERT_EQ(decodeCodePage932(std::string(1, one)), std::u16string(1, system(&one, 1))) << byte;
    }
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
        if (!IsDBCSLeadByteEx(932, static_cast<BYTE>(lead))) {
            continue;
        }
        for (unsigned trail = 0x40; trail < 0x100; ++trail) {
            const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string ours = decodeCodePage932(std::string(two, 2));
            const char16_t theirs = system(two, 2);
            // Where the pair is no character, the lead byte alone is replaced.
            ASSERT_EQ(ours.front(), theirs) << lead << " " << trail;
        }
    }
}

TEST(Win32FileStore, ReadsLinesAsTheyAreSplit) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "r.vbs";
    // A lead byte before a byte that cannot follow it is one U+FFFD; the last line lacks its CR LF.
    writeBytes(path, "one\r\n\x81 two\r\nthree");
    EXPECT_EQ(readLines(*store, path.u16string(), 100).lines,
              (std::vector<std::u16string>{u"one", u"\uFFFD two", u"three"}));
    EXPECT_EQ(readLines(*store, path.u16string(), 1).lines, std::vector<std::u16string>{u"one"});
    writeBytes(path, "\xEF\xBB\xBFx\r\n\xEF\xBB\xBFy");
    EXPECT_EQ(readLines(*store, path.u16string(), 9, TextEncoding::Utf8).lines,
              (std::vector<std::u16string>{u"x", u"\uFEFFy"}));
    const ReadLinesResult missing = readLines(*store, folder.file("missing.vbs"), 1);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
}

TEST(Win32FileStore, ReplacesAnExistingFileWhole) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "a.vbs";
    writeBytes(path, "old content that is longer");
    ASSERT_TRUE(writeLines(*store, path.u16string(), {u"new"}).ok);
    EXPECT_EQ(fileBytes(path), "new\r\n");
    EXPECT_EQ(entries(folder.path()), 1u);  // the temporary file became the target
}

TEST(Win32FileStore, AFailedWriteLeavesTheOldFileAndNoTrace) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "a.vbs";
    writeBytes(path, "old");
    {
        // Held open without sharing, the file can be neither replaced nor deleted.
        const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const FileResult result = writeLines(*store, path.u16string(), {u"new"});
        CloseHandle(held);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(fileBytes(path), "old");
    EXPECT_EQ(entries(folder.path()), 1u);

    const FileResult noFolder = writeLines(*store, folder.file("no\\such\\a.vbs"), {u"x"});
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.error.empty());
    std::filesystem::create_directory(folder.path() / "d.vbs");
    EXPECT_FALSE(writeLines(*store, folder.file("d.vbs"), {u"x"}).ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "d.vbs"));
    EXPECT_EQ(entries(folder.path()), 2u);
}

}  // namespace
}  // namespace bw::test
