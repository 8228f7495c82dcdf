#include "TestText.h"
#include "platform/posix/PosixFileStore.h"

#include "codec/CodePage932.h"
#include "codec/Utf8.h"
#include "commands/OpenCommand.h"
#include "doubles/MemoryEditor.h"
#include "model/MessageBoxStyle.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/TextFiles.h"
#include "platform/posix/PosixFiles.h"
#include "ports/FileProblem.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <csignal>
#include <map>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace bw::test {
namespace {

// What Windows' code page 932 makes of the bytes 0x80, 0xA0, 0xFD, 0xFE and 0xFF.
constexpr std::u16string_view kWindowsSingleBytes = u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3";

TEST(PosixFileStore, EncodesCodePage932WithCrLfAfterEveryLine) {
    TempFolder folder;
    PosixFileStore store;
    const auto path = folder.file("a.txt");
    ASSERT_TRUE(writeLines(store, path, {u"本文", u"ｱ", u"", u"a\rb\nc", std::u16string(kWindowsSingleBytes)}).ok);
    EXPECT_EQ(fileBytes(path), "\x96\x7B\x95\xB6\r\n\xB1\r\n\r\na\rb\nc\r\n\x80\xA0\xFD\xFE\xFF\r\n");
    for (const char16_t unit : kWindowsSingleBytes) {
        EXPECT_TRUE(CodePage932::get().holds(unit));
    }
}

// UTF-8 files: a byte-order mark first, every character as itself; read back
// with or without the mark, and invalid bytes as one U+FFFD each.
TEST(PosixFileStore, Utf8WithByteOrderMark) {
    TempFolder folder;
    PosixFileStore store;
    const auto path = folder.file("a.ps1");
    ASSERT_TRUE(writeLines(store, path, {u"本文 é", u"", u"\U0001F600\u00A0"}, TextEncoding::Utf8).ok);
    EXPECT_EQ(fileBytes(path), "\xEF\xBB\xBF\xE6\x9C\xAC\xE6\x96\x87 \xC3\xA9\r\n\r\n\xF0\x9F\x98\x80\xC2\xA0\r\n");
    EXPECT_EQ(readLines(store, path, 8, TextEncoding::Utf8).lines,
              (std::vector<std::u16string>{u"本文 é", u"", u"\U0001F600\u00A0"}));

    writeBytes(folder.path() / "b", "no mark \xC3\xA9\r\n\xEF\xBB\xBFkept\xFF\xC3");
    EXPECT_EQ(readLines(store, folder.file("b"), 8, TextEncoding::Utf8).lines,
              (std::vector<std::u16string>{u"no mark é", u"\uFEFFkept\uFFFD\uFFFD"}));

    writeBytes(folder.path() / "d", "\xEF\xBB");
    EXPECT_EQ(readLines(store, folder.file("d"), 8, TextEncoding::Utf8).lines,
              (std::vector<std::u16string>{u"\uFFFD\uFFFD"}));
}

// Each kind of unit in its number of UTF-8 bytes, a lone surrogate as
// U+FFFD; a long text's bytes are made at their length at once.
TEST(PosixFileStore, Utf8OfEachLength) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"a", "a"},
        {u"é", "\xC3\xA9"},
        {u"本", "\xE6\x9C\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string{u'x', char16_t{0xD83D}}, "x\xEF\xBF\xBD"},
        {std::u16string{char16_t{0xDE00}}, "\xEF\xBF\xBD"},
    };
    for (const auto& [unit, bytes] : cases) {
        std::u16string text;
        std::string expected;
        for (int i = 0; i < 100; ++i) {
            text += unit;
            expected += bytes;
        }
        const std::string encoded = toUtf8(text);
        EXPECT_EQ(encoded, expected);
        EXPECT_LT(encoded.capacity() - encoded.size(), 16u);
    }
}

// A path names its file in UTF-8, with U+FFFD for a lone surrogate, which
// UTF-8 cannot hold; the file is found again by the same path.
TEST(PosixFileStore, PathsInUtf8) {
    TempFolder folder;
    PosixFileStore store;
    const std::u16string path = folder.path().u16string() + u"/本\U0001F600\xD800.vbs";
    ASSERT_TRUE(writeLines(store, path, {u"x"}).ok);
    EXPECT_EQ(fileBytes(folder.path() / "\xE6\x9C\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD.vbs"), "x\r\n");
    EXPECT_EQ(readLines(store, path, 8).lines, std::vector<std::u16string>{u"x"});
}

// A file larger than any script (a sparse one takes no room on the disk) is
// refused before it is read.
TEST(PosixFileStore, RefusesAFileLargerThanAnyScript) {
    TempFolder folder;
    PosixFileStore store;
    writeBytes(folder.path() / "big.vbs", "x");
    std::filesystem::resize_file(folder.path() / "big.vbs", kLargestReadableFile + 1);
    const ReadLinesResult result = readLines(store, folder.file("big.vbs"), 8);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, fileProblemText(FileProblem::TooLarge));
    std::filesystem::resize_file(folder.path() / "big.vbs", kLargestReadableFile);
    EXPECT_TRUE(readLines(store, folder.file("big.vbs"), 0).ok);
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BOXWRIGHT_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define BOXWRIGHT_TEST_ASAN 1
#endif

#ifndef BOXWRIGHT_TEST_ASAN
// Address space in use by this process, in bytes.
std::size_t addressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::stoul(line.substr(7)) * 1024;
        }
    }
    return 0;
}

// Opens the file with only 256 MB of address space to spare; the exit code
// says whether the open failed with a message (0) or did something else (1).
[[noreturn]] void openWithLittleMemory(FileStore& store, const std::u16string& path) {
    rlimit limit{};
    limit.rlim_cur = addressSpaceInUse() + (std::size_t{256} << 20);
    limit.rlim_max = RLIM_INFINITY;
    ::setrlimit(RLIMIT_AS, &limit);
    MemoryEditor editor;
    RecordingMessageBox messages;
    const ReadOutcome outcome = readScriptFile(editor, path, store, messages);
    std::exit(outcome == ReadOutcome::Failed && messages.calls.size() == 1 ? 0 : 1);
}
#endif

// A file whose text does not fit in the memory left is a failed open with a
// message, not an exception that ends the program: 200 MB of bytes is 400 MB
// of text.
TEST(PosixFileStoreDeathTest, ATextLargerThanMemoryIsAFailedOpen) {
#ifdef BOXWRIGHT_TEST_ASAN
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#else
    TempFolder folder;
    const auto path = folder.path() / "huge.vbs";
    writeBytes(path, "");
    std::filesystem::resize_file(path, std::uintmax_t{200} << 20);  // sparse: NUL bytes on one line
    PosixFileStore store;
    EXPECT_EXIT(openWithLittleMemory(store, path.u16string()), ::testing::ExitedWithCode(0), "");
#endif
}

// A read stops once the file has given more than the limit, should it grow
// after its size was checked.
TEST(PosixFileStore, ReadingStopsAtTheLimit) {
    TempFolder folder;
    writeBytes(folder.path() / "f", "0123456789");
    const int fd = ::open((folder.path() / "f").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::string bytes;
    errno = 0;
    EXPECT_FALSE(posix::readAll(fd, bytes, 5));
    EXPECT_EQ(errno, EFBIG);
    bytes.clear();
    EXPECT_TRUE(posix::readAll(fd, bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    ::close(fd);
}

// The files of ours a folder holds besides the target: replacements and backups.
std::vector<std::string> leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(".boxwright-")) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

// An interrupted save leaves neither its replacement nor a half-written
// target: the signal handler removes the one, the rename never came for the other.
class InterruptedSave : public ::testing::TestWithParam<int> {};

TEST_P(InterruptedSave, LeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const auto target = folder.path() / "a.vbs";
    writeBytes(target, "old");
    const int signal = GetParam();
    EXPECT_EXIT(
        {
            static int raised;
            raised = signal;
            posix::beforeReplacing = [](const std::string&) { ::raise(raised); };
            PosixFileStore store;
            store.write(target.u16string(), std::string(1 << 20, 'n'));
            std::exit(0);  // not reached: the signal ends the program
        },
        ::testing::KilledBySignal(signal), "");
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_TRUE(leftovers(folder.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedSave, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

// A replacement left by a process that is gone (killed outright) is removed by
// the next save into its folder; a live process's, and a backup, are not.
TEST(PosixFileStore, TheNextSaveRemovesWhatAGoneProcessLeft) {
    TempFolder folder;
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = ".boxwright-" + std::to_string(child) + "-abcdefgh";
    const std::string live = ".boxwright-" + std::to_string(::getpid()) + "-abcdefgh";
    const std::string backup = ".boxwright-backup-abcdefgh";
    for (const std::string& name : {gone, live, backup}) {
        writeBytes(folder.path() / name, "debris?");
    }
    PosixFileStore store;
    ASSERT_TRUE(store.write(folder.file("a.vbs"), "new").ok);
    const std::vector<std::string> left = leftovers(folder.path());
    EXPECT_EQ(std::set<std::string>(left.begin(), left.end()), (std::set<std::string>{backup, live}));
}

// Every extended attribute, the access control list among them, goes to the
// replacement, and the mode stays as it was: the list's mask does not become
// the owning group's rights.
TEST(PosixFileStore, KeepsTheAccessListAndAttributesOfAReplacedFile) {
    TempFolder folder;
    const auto target = folder.path() / "a.vbs";
    writeBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    ASSERT_EQ(::setxattr(target.c_str(), "user.note", "kept", 4, 0), 0);
    const bool acl = std::system(("setfacl -m u:nobody:rw '" + target.string() + "' 2>/dev/null").c_str()) == 0;
    const auto attributes = [](const std::filesystem::path& file) {
        std::map<std::string, std::string> values;
        std::string names(4096, '\0');
        names.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::llistxattr(file.c_str(), names.data(), names.size()))));
        for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
            std::string value(4096, '\0');
            const ssize_t n = ::lgetxattr(file.c_str(), names.c_str() + at, value.data(), value.size());
            value.resize(static_cast<std::size_t>(std::max<ssize_t>(0, n)));
            values[names.c_str() + at] = value;
        }
        return values;
    };
    const auto before = attributes(target);
    struct stat old {};
    ::stat(target.c_str(), &old);

    PosixFileStore store;
    ASSERT_TRUE(store.write(target.u16string(), "new").ok);
    struct stat now {};
    ::stat(target.c_str(), &now);
    EXPECT_EQ(fileBytes(target), "new");
    EXPECT_EQ(attributes(target), before);
    EXPECT_EQ(now.st_mode, old.st_mode);
    EXPECT_EQ(before.count("system.posix_acl_access"), acl ? 1u : 0u);
    if (!acl) {
        std::printf("no setfacl here (Debian: acl): the access list was not tried\n");
    }
}

// A write over a file itself (here, a file with a second name) that is killed
// half way leaves the old contents beside the file; the next open offers them,
// and taking them puts the file back as it was.
TEST(PosixFileStore, AKilledWriteInPlaceCanBePutBack) {
    TempFolder folder;
    const auto target = folder.path() / "a.vbs";
    const std::string old = "selectkey = MsgBox(\"old\", 0 + 16, \"t\")\r\n";
    writeBytes(target, old);
    std::filesystem::create_hard_link(target, folder.path() / "b.vbs");
    EXPECT_EXIT(
        {
            posix::beforeWritingInPlace = [](const std::string& file) {
                // Half of the new contents, as a write that is cut off leaves them.
                const int fd = ::open(file.c_str(), O_WRONLY);
                static_cast<void>(::write(fd, "selectkey = MsgBox(\"ne", 22));
                ::raise(SIGKILL);
            };
            PosixFileStore store;
            store.write(target.u16string(), "selectkey = MsgBox(\"new\", 0 + 16, \"t\")\r\n");
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    ASSERT_NE(fileBytes(target), old);

    PosixFileStore store;
    MemoryEditor editor;
    editor.load();
    RecordingMessageBox messages;
    messages.answers = {msgbox::ResultYes};
    EXPECT_EQ(readScriptFile(editor, target.u16string(), store, messages), ReadOutcome::Read);
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_NE(messages.calls[0].prompt.find(target.u16string() + u".boxwright-backup"), std::u16string::npos);
    EXPECT_EQ(editor.texts[0], u"old");
    EXPECT_EQ(fileBytes(folder.path() / "b.vbs"), old);  // the same file, by its other name
    EXPECT_FALSE(std::filesystem::exists(target.string() + ".boxwright-backup"));
}

// A copy whose write finished, or never began, goes without a question.
TEST(PosixFileStore, ACopyOfAFinishedWriteIsNotOffered) {
    TempFolder folder;
    const auto target = folder.path() / "a.vbs";
    const auto backup = target.string() + ".boxwright-backup";
    PosixFileStore store;
    struct Case {
        std::string file;
        std::string copy;
        std::string note;  // the fingerprint of the write, when noted
        bool offered;
    };
    const std::string sizeAndHashOfNew = "3 " + std::to_string([] {
        std::uint64_t hash = 14695981039346656037ull;
        for (const char c : std::string("new")) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
        return hash;
    }());
    for (const Case& c : {Case{"new", "old", sizeAndHashOfNew, false}, Case{"old", "old", sizeAndHashOfNew, false},
                          Case{"ne", "old", sizeAndHashOfNew, true}, Case{"new", "old", "", true}}) {
        writeBytes(target, c.file);
        writeBytes(backup, c.copy);
        if (!c.note.empty()) {
            ASSERT_EQ(::setxattr(backup.c_str(), "user.boxwright.written", c.note.data(), c.note.size(), 0), 0);
        }
        EXPECT_EQ(store.unfinishedSave(target.u16string()).has_value(), c.offered) << c.file;
        EXPECT_EQ(std::filesystem::exists(backup), c.offered) << c.file;
        std::filesystem::remove(backup);
    }
}

// The system's common failures are given in the program's own words, for a
// read and a write alike.
TEST(PosixFileStore, SaysWhyInItsOwnWords) {
    TempFolder folder;
    std::filesystem::create_symlink("loop", folder.path() / "loop");
    writeBytes(folder.path() / "file", "x");
    PosixFileStore store;
    const std::pair<std::string, FileProblem> cases[] = {{"loop", FileProblem::LinkLoop},
                                                         {"file/a.vbs", FileProblem::NotAFolderOnThePath}};
    for (const auto& [name, problem] : cases) {
        EXPECT_EQ(store.read(folder.file(name)).error, fileProblemText(problem)) << name;
        EXPECT_EQ(store.write(folder.file(name), "x").error, fileProblemText(problem)) << name;
    }
}

}  // namespace
}  // namespace bw::test
