// The text files through the Windows API, run under Windows or Wine: the code
// page conversion, CR LF, and a write that replaces the file whole or not at all.
#include "core/TestText.h"
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
    ASSERT_TRUE(writeLines(store, path, GetParam().lines, GetParam().encoding).ok);
    EXPECT_EQ(fileBytes(path), GetParam().bytes);
    const ReadLinesResult read = readLines(store, path, 100, GetParam().encoding);
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

TEST(Win32TextFileStore, KnowsWhatTheCodePageHolds) {
    const auto store = makeSystemFileStore();
    for (const char16_t unit : {u'A', u'\\', u'本', u'ｱ', u'～'}) {
        EXPECT_TRUE(store->isRepresentable(unit)) << int(unit);
    }
    for (const char16_t unit : {u'é', u'\u00A5', char16_t(0xD800)}) {
        EXPECT_FALSE(store->isRepresentable(unit)) << int(unit);
    }
    // What it cannot hold is written as '?'.
    TempFolder folder;
    ASSERT_TRUE(writeLines(store, folder.file("q.vbs"), {u"café"}).ok);
    EXPECT_EQ(fileBytes(folder.path() / "q.vbs"), "caf?\r\n");
}

TEST(Win32TextFileStore, ReadsLinesAsTheyAreSplit) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "r.vbs";
    // A lead byte before a byte that cannot follow it is one U+FFFD; the last line lacks its CR LF.
    writeBytes(path, "one\r\n\x81 two\r\nthree");
    EXPECT_EQ(readLines(store, path.u16string(), 100).lines,
              (std::vector<std::u16string>{u"one", u"\uFFFD two", u"three"}));
    EXPECT_EQ(readLines(store, path.u16string(), 1).lines, std::vector<std::u16string>{u"one"});
    writeBytes(path, "\xEF\xBB\xBFx\r\n\xEF\xBB\xBFy");
    EXPECT_EQ(readLines(store, path.u16string(), 9, TextEncoding::Utf8).lines,
              (std::vector<std::u16string>{u"x", u"\uFEFFy"}));
    const ReadLinesResult missing = readLines(store, folder.file("missing.vbs"), 1);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
}

TEST(Win32TextFileStore, ReplacesAnExistingFileWhole) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "a.vbs";
    writeBytes(path, "old content that is longer");
    ASSERT_TRUE(writeLines(store, path.u16string(), {u"new"}).ok);
    EXPECT_EQ(fileBytes(path), "new\r\n");
    EXPECT_EQ(entries(folder.path()), 1u);  // the temporary file became the target
}

TEST(Win32TextFileStore, AFailedWriteLeavesTheOldFileAndNoTrace) {
    TempFolder folder;
    const auto store = makeSystemFileStore();
    const auto path = folder.path() / "a.vbs";
    writeBytes(path, "old");
    {
        // Held open without sharing, the file can be neither replaced nor deleted.
        const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const FileResult result = writeLines(store, path.u16string(), {u"new"});
        CloseHandle(held);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(fileBytes(path), "old");
    EXPECT_EQ(entries(folder.path()), 1u);

    const FileResult noFolder = writeLines(store, folder.file("no\\such\\a.vbs"), {u"x"});
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.error.empty());
    std::filesystem::create_directory(folder.path() / "d.vbs");
    EXPECT_FALSE(writeLines(store, folder.file("d.vbs"), {u"x"}).ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "d.vbs"));
    EXPECT_EQ(entries(folder.path()), 2u);
}

}  // namespace
}  // namespace bw::test
