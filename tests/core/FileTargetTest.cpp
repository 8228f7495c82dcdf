#include "TestText.h"
#include "ports/FileProblem.h"
#include "doubles/TextFiles.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstring>
#include <optional>

namespace bw::test {
namespace {

namespace fs = std::filesystem;

std::u16string text(FileProblem problem) { return std::u16string(fileProblemText(problem)); }

// A folder for one case, with a small file system mounted in it if the case asks.
struct Scene {
    TempFolder folder;
    fs::path mounted;
    ~Scene() {
        if (!mounted.empty()) {
            ::umount2(mounted.c_str(), MNT_DETACH);
        }
        std::error_code ignored;  // a read-only folder is made writable again, to be removed
        fs::permissions(at("ro"), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::path at(const char* name) const { return folder.path() / name; }
};

// Where a case saves, and the regular file whose contents it then checks
// (none for a target that is not a regular file).
struct Target {
    fs::path save;
    fs::path check;
};

// A device node of its own (as /dev/full) where the system allows making one.
fs::path deviceIn(const Scene& scene) {
    const fs::path node = scene.at("full");
    return ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? node : fs::path("/dev/full");
}

fs::path socketIn(const Scene& scene) {
    const fs::path path = scene.at("socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
    return path;
}

fs::path oldFile(const fs::path& path, mode_t mode = 0644) {
    writeBytes(path, "old\r\n");
    ::chmod(path.c_str(), mode);
    return path;
}

struct SaveCase {
    const char* name;
    Target (*setUp)(Scene&);
    std::u16string reason;   // empty: saved
    fs::file_type type;      // of the saved path afterwards
    bool inPlace = false;    // the checked file keeps its inode
    bool asUser = false;     // saved by an unprivileged user, when run as root
    std::size_t length = 3;  // of the text saved
    bool needsRoot = false;
    bool needsMount = false;
};

// Saves `length` x's. When `asUser` and run as root, the save runs in a child
// process as nobody, so that permissions apply; the result comes back by pipe.
FileResult save(const fs::path& path, std::size_t length, bool asUser) {
    PosixFileStore store;
    const std::vector<std::u16string> lines{std::u16string(length, u'x')};
    if (!asUser || ::geteuid() != 0) {
        return writeLines(store, path.u16string(), lines);
    }
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    if (::fork() == 0) {
        FileResult result{false, u"no user"};
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            result = writeLines(store, path.u16string(), lines);
        }
        const std::u16string message = (result.ok ? u"+" : u"-") + result.error;
        const bool sent = ::write(pipeFds[1], message.data(), message.size() * 2) > 0;
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::u16string message;
    char16_t unit = 0;
    while (::read(pipeFds[0], &unit, 2) == 2) {
        message += unit;
    }
    ::close(pipeFds[0]);
    ::wait(nullptr);
    return message.empty() ? FileResult{false, u"no answer"} : FileResult{message[0] == u'+', message.substr(1)};
}

// Whether a temporary file was left anywhere in the folder.
bool tempFileLeft(const fs::path& folder) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(".boxwright-")) {
            return true;
        }
    }
    return false;
}

void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.name; }

class SaveTargets : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveTargets, EndAsTheFileAllows) {
    const SaveCase& c = GetParam();
    if (c.needsRoot && ::geteuid() != 0) {
        GTEST_SKIP() << "files of other users need root";
    }
    Scene scene;
    if (c.needsMount) {
        fs::create_directory(scene.at("small"));
        if (::mount("tmpfs", scene.at("small").c_str(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "mounting a small file system is not permitted here";
        }
        scene.mounted = scene.at("small");
    }
    const Target target = c.setUp(scene);
    const bool existed = fs::exists(target.check);
    const std::string before = existed ? fileBytes(target.check) : "";
    struct stat old {};
    ::stat(target.check.c_str(), &old);

    const FileResult result = save(target.save, c.length, c.asUser);

    EXPECT_EQ(result.ok, c.reason.empty());
    EXPECT_EQ(result.error, c.reason);
    EXPECT_EQ(fs::symlink_status(target.save).type(), c.type);
    EXPECT_FALSE(tempFileLeft(scene.folder.path()));
    if (target.check.empty()) {
        return;
    }
    EXPECT_EQ(fs::exists(target.check), existed || result.ok);
    EXPECT_EQ(fileBytes(target.check), result.ok ? std::string(c.length, 'x') + "\r\n" : before);
    struct stat now {};
    ::stat(target.check.c_str(), &now);
    if (existed) {
        EXPECT_EQ(now.st_mode, old.st_mode);
        EXPECT_EQ(now.st_uid, old.st_uid);
        EXPECT_EQ(now.st_gid, old.st_gid);
        EXPECT_EQ(now.st_nlink, old.st_nlink);
        EXPECT_EQ(now.st_ino == old.st_ino, c.inPlace || !result.ok);
    } else if (result.ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(now.st_mode & 07777, 0666 & ~mask);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveTargets,
    ::testing::Values(SaveCase{"Regular",
                               [](Scene& s) {
                                   return Target{oldFile(s.at("a"), 0640), s.at("a")};
                               },
                               {},
                               fs::file_type::regular},
                      SaveCase{"New",
                               [](Scene& s) {
                                   return Target{s.at("a"), s.at("a")};
                               },
                               {},
                               fs::file_type::regular},
                      SaveCase{"MissingFolder",
                               [](Scene& s) {
                                   return Target{s.at("no/a"), s.at("no/a")};
                               },
                               text(FileProblem::NotFound), fs::file_type::not_found},
                      SaveCase{"Symlink",
                               [](Scene& s) {
                                   fs::create_symlink("a", s.at("link"));
                                   return Target{s.at("link"), oldFile(s.at("a"))};
                               },
                               {},
                               fs::file_type::symlink},
                      SaveCase{"SymlinkToMissingFile",
                               [](Scene& s) {
                                   fs::create_directory(s.at("d"));
                                   fs::create_symlink("d/new", s.at("link"));
                                   return Target{s.at("link"), s.at("d/new")};
                               },
                               {},
                               fs::file_type::symlink},
                      SaveCase{"HardLink",
                               [](Scene& s) {
                                   fs::create_hard_link(oldFile(s.at("a")), s.at("b"));
                                   return Target{s.at("a"), s.at("b")};
                               },
                               {},
                               fs::file_type::regular,
                               true},
                      SaveCase{"ReadOnly",
                               [](Scene& s) {
                                   return Target{oldFile(s.at("a"), 0444), s.at("a")};
                               },
                               text(FileProblem::ReadOnlyFile), fs::file_type::regular},
                      SaveCase{"OtherOwnerAndGroup",
                               [](Scene& s) {
                                   ::chown(oldFile(s.at("a"), 0604).c_str(), 4242, 4343);
                                   return Target{s.at("a"), s.at("a")};
                               },
                               {},
                               fs::file_type::regular,
                               false,
                               false,
                               3,
                               true},
                      SaveCase{"ReadOnlyFolderWritableFile",
                               [](Scene& s) {
                                   fs::create_directory(s.at("ro"));
                                   oldFile(s.at("ro/a"), 0666);
                                   ::chmod(s.at("ro").c_str(), 0555);
                                   ::chmod(s.folder.path().c_str(), 0755);
                                   return Target{s.at("ro/a"), s.at("ro/a")};
                               },
                               {},
                               fs::file_type::regular,
                               true,
                               true},
                      // Write rights without read rights: the old contents cannot be kept
                      // aside, and the new ones are written over them all the same.
                      SaveCase{"WriteOnlyFileInReadOnlyFolder",
                               [](Scene& s) {
                                   fs::create_directory(s.at("ro"));
                                   oldFile(s.at("ro/a"), 0222);
                                   ::chmod(s.at("ro").c_str(), 0555);
                                   ::chmod(s.folder.path().c_str(), 0755);
                                   return Target{s.at("ro/a"), s.at("ro/a")};
                               },
                               {},
                               fs::file_type::regular,
                               true,
                               true},
                      // Replacing it would give it to the saver: it is written in place if at all.
                      SaveCase{"SomeoneElsesFile",
                               [](Scene& s) {
                                   fs::create_directory(s.at("shared"));
                                   ::chmod(s.at("shared").c_str(), 0777);
                                   ::chmod(s.folder.path().c_str(), 0755);
                                   return Target{oldFile(s.at("shared/a")), s.at("shared/a")};
                               },
                               text(FileProblem::NoPermission), fs::file_type::regular, false, true, 3, true},
                      SaveCase{"Device",
                               [](Scene& s) {
                                   return Target{deviceIn(s), {}};
                               },
                               text(FileProblem::Device), fs::file_type::character},
                      SaveCase{"Fifo",
                               [](Scene& s) {
                                   ::mkfifo(s.at("fifo").c_str(), 0666);
                                   return Target{s.at("fifo"), {}};
                               },
                               text(FileProblem::Fifo), fs::file_type::fifo},
                      SaveCase{"Socket",
                               [](Scene& s) {
                                   return Target{socketIn(s), {}};
                               },
                               text(FileProblem::Socket), fs::file_type::socket},
                      SaveCase{"Folder",
                               [](Scene& s) {
                                   fs::create_directory(s.at("d"));
                                   return Target{s.at("d"), {}};
                               },
                               text(FileProblem::IsFolder), fs::file_type::directory},
                      SaveCase{"FullDisk",
                               [](Scene& s) {
                                   return Target{oldFile(s.at("small/a")), s.at("small/a")};
                               },
                               text(FileProblem::NoSpace), fs::file_type::regular, false, false, 100000, false, true},
                      // Written in place: the disk fills up half way and the old contents go back.
                      SaveCase{"FullDiskHardLink",
                               [](Scene& s) {
                                   fs::create_hard_link(oldFile(s.at("small/a")), s.at("small/b"));
                                   return Target{s.at("small/a"), s.at("small/b")};
                               },
                               text(FileProblem::NoSpace), fs::file_type::regular, true, false, 100000, false, true}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct OpenCase {
    const char* name;
    fs::path (*setUp)(Scene&);
    FileProblem problem;
};

void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }

class OpenTargets : public ::testing::TestWithParam<OpenCase> {};

// Each is refused at once with its reason: none waits for a writer or reads without end.
TEST_P(OpenTargets, AreRefusedWithoutWaiting) {
    Scene scene;
    PosixFileStore store;
    const ReadLinesResult result = readLines(store, GetParam().setUp(scene).u16string(), 8);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, text(GetParam().problem));
    EXPECT_TRUE(result.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenTargets,
    ::testing::Values(OpenCase{"Missing", [](Scene& s) { return s.at("a"); }, FileProblem::NotFound},
                      OpenCase{"Fifo",
                               [](Scene& s) {
                                   ::mkfifo(s.at("fifo").c_str(), 0666);
                                   return s.at("fifo");
                               },
                               FileProblem::Fifo},
                      OpenCase{"Device", [](Scene& s) { return deviceIn(s); }, FileProblem::Device},
                      OpenCase{"DevZero", [](Scene&) { return fs::path("/dev/zero"); }, FileProblem::Device},
                      OpenCase{"Socket", [](Scene& s) { return socketIn(s); }, FileProblem::Socket},
                      OpenCase{"Folder", [](Scene& s) { return s.folder.path(); }, FileProblem::IsFolder}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace bw::test
