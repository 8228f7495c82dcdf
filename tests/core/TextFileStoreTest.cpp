#include "TestText.h"
#include "platform/posix/IconvTextFileStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace bw::test {
namespace {

TEST(TextFileStore, EncodesCodePage932WithCrLfAfterEveryLine) {
    TempFolder folder;
    IconvTextFileStore store;
    const auto path = folder.file("a.txt");
    ASSERT_TRUE(store.writeLines(path, {u"本文", u"ｱ", u"", u"a\rb\nc"}).ok);
    EXPECT_EQ(fileBytes(path), "\x96\x7B\x95\xB6\r\n\xB1\r\n\r\na\rb\nc\r\n");
}

TEST(TextFileStore, ReplacesAnExistingFileAndKeepsItsMode) {
    TempFolder folder;
    IconvTextFileStore store;
    const auto path = folder.path() / "a.vbs";
    writeBytes(path, "old content that is longer");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(store.writeLines(path.u16string(), {u"new"}).ok);
    EXPECT_EQ(fileBytes(path), "new\r\n");
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Nothing else is left in the folder: the temporary file was renamed.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(TextFileStore, FailedWriteNamesTheReasonAndLeavesNoTrace) {
    TempFolder folder;
    IconvTextFileStore store;
    const FileResult missingFolder = store.writeLines(folder.file("no/such/dir.vbs"), {u"x"});
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_FALSE(missingFolder.error.empty());
    std::filesystem::create_directory(folder.path() / "d");
    const FileResult isFolder = store.writeLines(folder.file("d"), {u"x"});
    EXPECT_FALSE(isFolder.ok);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "d"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::size_t maxLines;
    std::vector<std::u16string> lines;
};

class ReadLines : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadLines, SplitsAtCrLfOnly) {
    TempFolder folder;
    writeBytes(folder.path() / "f", GetParam().bytes);
    IconvTextFileStore store;
    const ReadLinesResult result = store.readLines(folder.file("f"), GetParam().maxLines);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLines,
    ::testing::Values(ReadCase{"Empty", "", 8, {}},
                      ReadCase{"OneLine", "abc\r\n", 8, {u"abc"}},
                      ReadCase{"NoFinalCrLf", "abc\r\ndef", 8, {u"abc", u"def"}},
                      ReadCase{"EmptyLines", "\r\n\r\n", 8, {u"", u""}},
                      ReadCase{"LoneCrAndLfStayInTheLine", "a\rb\nc\r\n\n\r", 8, {u"a\rb\nc", u"\n\r"}},
                      ReadCase{"AtMostMaxLines", "1\r\n2\r\n3\r\n4\r\n", 2, {u"1", u"2"}},
                      ReadCase{"CodePage", "\x96\x7B\x95\xB6\xB1\r\n", 8, {u"本文ｱ"}},
                      ReadCase{"BadBytesBecomeReplacementCharacters", "a\x80\xA0z\xFF\r\n", 8,
                               {u"a\uFFFD\uFFFDz\uFFFD"}},
                      ReadCase{"CutLeadByte", "x\x96", 8, {u"x\uFFFD"}},
                      ReadCase{"CrLfSplitAcrossReads", std::string(65535, 'a') + "\r\nb", 8,
                               {std::u16string(65535, u'a'), u"b"}},
                      // A read of 64 KiB ends between the two bytes of a character.
                      ReadCase{"TwoByteCharacterSplitAcrossReads", std::string(65535, 'a') + "\x96\x7B\r\n", 8,
                               {std::u16string(65535, u'a') + u"本"}},
                      ReadCase{"CutLeadByteAtTheEndOfARead", std::string(65535, 'a') + "\x96", 8,
                               {std::u16string(65535, u'a') + u"\uFFFD"}},
                      ReadCase{"CrEndsAReadWithoutLf", std::string(65535, 'a') + "\rb\r\n", 8,
                               {std::u16string(65535, u'a') + u"\rb"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TextFileStore, ReadFailuresNameTheReason) {
    TempFolder folder;
    IconvTextFileStore store;
    const ReadLinesResult missing = store.readLines(folder.file("missing.vbs"), 8);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    const ReadLinesResult folderRead = store.readLines(folder.path().u16string(), 8);
    EXPECT_FALSE(folderRead.ok);
    EXPECT_FALSE(folderRead.error.empty());
}

}  // namespace
}  // namespace bw::test
