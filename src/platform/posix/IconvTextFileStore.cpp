#include "IconvTextFileStore.h"

#include "platform/CodePage932.h"
#include "platform/CrLfLines.h"
#include "platform/FileProblem.h"
#include "platform/SystemTextFileStore.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <random>
#include <string>

namespace bw {

namespace {

// The table from iconv's conversion: a unit counts when it comes back unchanged.
struct EncodeTable : CodePage932Table {
    EncodeTable() {
        iconv_t toCp = iconv_open("CP932", "UTF-16LE");
        iconv_t fromCp = iconv_open("UTF-16LE", "CP932");
        for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                continue;
            }
            char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            char out[8];
            char* inPtr = in;
            char* outPtr = out;
            std::size_t inLeft = 2;
            std::size_t outLeft = sizeof out;
            iconv(toCp, nullptr, nullptr, nullptr, nullptr);
            if (iconv(toCp, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
                continue;
            }
            const auto encodedLength = static_cast<std::size_t>(outPtr - out);
            char back[8];
            char* backIn = out;
            char* backOut = back;
            std::size_t backInLeft = encodedLength;
            std::size_t backOutLeft = sizeof back;
            iconv(fromCp, nullptr, nullptr, nullptr, nullptr);
            if (iconv(fromCp, &backIn, &backInLeft, &backOut, &backOutLeft) == static_cast<std::size_t>(-1)) {
                continue;
            }
            if (backOut - back == 2 && std::memcmp(back, in, 2) == 0 && encodedLength <= 2) {
                set(static_cast<char16_t>(unit), out, encodedLength);
            }
        }
        iconv_close(toCp);
        iconv_close(fromCp);
        addExtras();
    }
};

const EncodeTable& encodeTable() {
    static const EncodeTable table;
    return table;
}

std::u16string text(FileProblem problem) { return std::u16string(fileProblemText(problem)); }

// The reason for an errno value: the common ones in the program's own words,
// the rest in the C library's (UTF-8 or ASCII).
std::u16string reason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return text(FileProblem::NoPermission);
        case EROFS:
            return text(FileProblem::ReadOnlyFileSystem);
        case ENOSPC:
        case EDQUOT:
            return text(FileProblem::NoSpace);
        case ENAMETOOLONG:
            return text(FileProblem::NameTooLong);
        case ENOENT:
            return text(FileProblem::NotFound);
        case EISDIR:
            return text(FileProblem::IsFolder);
        case ENOMEM:
            return text(FileProblem::NoMemory);
        default:
            break;
    }
    const std::string message = std::strerror(error);
    std::u16string out;
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    std::string copy = message;
    char* in = copy.data();
    std::size_t inLeft = copy.size();
    std::string buffer(copy.size() * 2 + 2, '\0');
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
        const std::size_t produced = buffer.size() - outLeft;
        for (std::size_t i = 0; i + 1 < produced; i += 2) {
            out += static_cast<char16_t>(static_cast<unsigned char>(buffer[i]) |
                                         (static_cast<unsigned char>(buffer[i + 1]) << 8));
        }
    } else {
        out.assign(message.begin(), message.end());
    }
    iconv_close(cd);
    return out;
}

// Why something that is not a regular file is neither saved over nor opened.
FileProblem notRegular(mode_t mode) {
    if (S_ISDIR(mode)) {
        return FileProblem::IsFolder;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileProblem::Device;
    }
    if (S_ISFIFO(mode)) {
        return FileProblem::Fifo;
    }
    if (S_ISSOCK(mode)) {
        return FileProblem::Socket;
    }
    return FileProblem::NotRegularFile;
}

FileResult failure(int error) { return FileResult{false, reason(error)}; }
FileResult failure(FileProblem problem) { return FileResult{false, text(problem)}; }

// Writes all of `data` from the given offset; false with errno set when a write fails.
bool writeAllAt(int fd, std::string_view data, off_t offset) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads the whole file from its start; false with errno set when a read fails.
bool readAll(int fd, std::string& out) {
    std::array<char, 65536> buffer;
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        out.append(buffer.data(), static_cast<std::size_t>(n));
        at += n;
    }
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links until the path names something else, whose status
// goes to `info`, or nothing (`exists` false): the file a save goes to. A link
// to a missing file thus gives the path at which to create it. 0 or errno.
int followLinks(std::string& path, struct stat& info, bool& exists) {
    constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (::lstat(path.c_str(), &info) != 0) {
            exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        exists = true;
        if (!S_ISLNK(info.st_mode)) {
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) {
            return errno;
        }
        if (static_cast<std::size_t>(n) == link.size()) {
            return ENAMETOOLONG;
        }
        link.resize(static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        path = link.starts_with('/') ? link : folderOf(path) + "/" + link;
    }
    return ELOOP;
}

// Creates a file of its own under a fresh name in the folder, with the mode
// (less the umask and as the folder's default access rules say); -1 with errno
// set when it cannot.
int createTemp(const std::string& folder, mode_t mode, std::string& name) {
    static thread_local std::mt19937 random{std::random_device{}()};
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.boxwright-";
        for (int i = 0; i < 8; ++i) {
            name += kLetters[random() % kLetters.size()];
        }
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A file descriptor, closed when it goes out of scope.
struct Descriptor {
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

// Makes a rename in the folder last; a failure changes nothing already done.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the content to a new file beside the target and renames it over the
// target, so the target is replaced whole or not at all. A new file gets the
// default mode; an existing one's mode, owner and group go to its replacement.
// `unkept` tells, when nothing was written, that the file could not be replaced
// while keeping them (no right to create files in its folder, or to give the
// file its owner or group), so that it may be written in place instead.
FileResult replaceWhole(const std::string& target, std::string_view content, const struct stat* existing,
                        bool& unkept) {
    unkept = false;
    std::string temp;
    const int fd = createTemp(folderOf(target), existing != nullptr ? 0600 : 0666, temp);
    if (fd < 0) {
        unkept = existing != nullptr && (errno == EACCES || errno == EPERM);
        return failure(errno);
    }
    int error = 0;
    if (existing != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0) {
            error = errno;
        } else if ((made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) &&
                   ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            error = errno;
            unkept = error == EPERM || error == EINVAL;
        } else if (::fchmod(fd, existing->st_mode & 07777) != 0) {  // after fchown, which clears set-ID bits
            error = errno;
        }
    }
    if (error == 0 && (!writeAllAt(fd, content, 0) || ::fsync(fd) != 0)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return failure(error);
    }
    syncFolder(folderOf(target));
    return {};
}

// Keeps a copy of the old contents on the disk while a file is written in
// place: beside the file where its folder takes new files, else in the
// temporary folder; private to the user, and synced. "" when no copy could be
// made; the contents are kept in memory all the same.
std::string writeBackup(const std::string& target, std::string_view old) {
    const char* tmp = std::getenv("TMPDIR");
    for (const std::string& folder : {folderOf(target), std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp")}) {
        std::string name;
        const int fd = createTemp(folder, 0600, name);
        if (fd < 0) {
            continue;
        }
        const bool written = writeAllAt(fd, old, 0) && ::fsync(fd) == 0;
        if (::close(fd) == 0 && written) {
            return name;
        }
        ::unlink(name.c_str());
    }
    return {};
}

// Writes the content over the file itself, which so keeps every name, its
// owner, group, mode and all else. Until the new contents are written and
// synced, the old ones are kept in memory and in a copy on the disk, should
// the program stop half way; a failed write puts them back. When even that
// fails, the message names the copy, which is then left in place.
FileResult writeInPlace(const std::string& target, std::string_view content) {
    const Descriptor file(::open(target.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return failure(notRegular(info.st_mode));
    }
    std::string old;
    try {
        old.reserve(static_cast<std::size_t>(info.st_size));
        if (!readAll(file.fd, old)) {
            return failure(errno);
        }
    } catch (const std::bad_alloc&) {
        return failure(ENOMEM);
    }
    const std::string backup = writeBackup(target, old);
    if (!writeAllAt(file.fd, content, 0) || ::ftruncate(file.fd, static_cast<off_t>(content.size())) != 0 ||
        ::fsync(file.fd) != 0) {
        FileResult result = failure(errno);
        // The old contents go back over the blocks they had; on a file system
        // that writes every change to new blocks even this may fail.
        if (writeAllAt(file.fd, old, 0) && ::ftruncate(file.fd, static_cast<off_t>(old.size())) == 0 &&
            ::fsync(file.fd) == 0) {
            if (!backup.empty()) {
                ::unlink(backup.c_str());
            }
        } else {
            result.error += backup.empty() ? u"元の内容を戻せませんでした。"
                                           : u"元の内容を戻せなかったため、「" +
                                                 IconvTextFileStore::decodeUtf8(backup) + u"」に残しています。";
        }
        return result;
    }
    if (!backup.empty()) {
        ::unlink(backup.c_str());
    }
    return {};
}

}  // namespace

std::unique_ptr<TextFileStore> makeSystemTextFileStore() { return std::make_unique<IconvTextFileStore>(); }

bool IconvTextFileStore::isRepresentable(char16_t unit) const { return encodeTable().holds(unit); }

namespace {

void appendEncoded(std::string& out, std::u16string_view text) { encodeTable().appendEncoded(out, text); }

}  // namespace

std::string IconvTextFileStore::encode(std::u16string_view text) {
    std::string out;
    appendEncoded(out, text);
    return out;
}

namespace {

// What each single byte and each two-byte sequence of code page 932 stands for,
// asked of iconv once per process; 0 marks a byte or pair the code page does not define.
struct DecodeTable {
    std::array<char16_t, 0x100> single{};
    std::vector<char16_t> pair = std::vector<char16_t>(0x10000);

    DecodeTable() {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        auto decodeOne = [cd](const char* bytes, std::size_t size) -> char16_t {
            char* in = const_cast<char*>(bytes);
            std::size_t inLeft = size;
            char out[8];
            char* outPtr = out;
            std::size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
                outPtr - out != 2) {
                return 0;
            }
            return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                         (static_cast<unsigned char>(out[1]) << 8));
        };
        for (const CodePage932Extra& extra : kCodePage932Extras) {
            single[extra.byte] = extra.unit;
        }
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            const char one[1] = {static_cast<char>(lead)};
            if (single[lead] == 0) {
                single[lead] = decodeOne(one, 1);
            }
            if (lead == 0 || single[lead] != 0) {
                continue;
            }
            for (unsigned trail = 0; trail < 0x100; ++trail) {
                const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                pair[(lead << 8) | trail] = decodeOne(two, 2);
            }
        }
        iconv_close(cd);
    }
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

// Appends the decoded bytes to `out` and returns how many bytes were used. A
// lead byte at the very end is left unused unless `final`, so that a read that
// ends inside a two-byte character goes on with it on the next read.
std::size_t appendDecoded(std::u16string& out, std::string_view bytes, bool final) {
    const DecodeTable& table = decodeTable();
    const std::size_t at = out.size();
    out.resize(at + bytes.size());
    char16_t* p = out.data() + at;
    std::size_t i = 0;
    for (; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead == 0 || table.single[lead] != 0) {
            *p++ = table.single[lead];
            continue;
        }
        if (i + 1 < bytes.size()) {
            const char16_t unit = table.pair[(lead << 8) | static_cast<unsigned char>(bytes[i + 1])];
            if (unit != 0) {
                *p++ = unit;
                ++i;
                continue;
            }
        } else if (!final) {
            break;
        }
        // An undefined or cut-off sequence: one replacement character for its first byte.
        *p++ = u'\uFFFD';
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return i;
}

}  // namespace

std::u16string IconvTextFileStore::decode(std::string_view bytes) {
    std::u16string out;
    appendDecoded(out, bytes, true);
    return out;
}

namespace {

static_assert(std::endian::native == std::endian::little, "char16_t text is handed to iconv as UTF-16LE");

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr std::size_t kUtf8BomSize = 3;

// One iconv conversion, closed when it goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; false with errno set where it had to stop.
    bool run(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        auto* inPtr = const_cast<char*>(in);
        const bool ok = iconv(cd_, &inPtr, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
        in = inPtr;
        return ok;
    }

private:
    iconv_t cd_;
};

// How many UTF-8 bytes a text takes, a lone surrogate as U+FFFD.
std::size_t utf8Length(std::u16string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            length += 1;
        } else if (c < 0x800) {
            length += 2;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                   text[i + 1] <= 0xDFFF) {
            length += 4;
            ++i;
        } else {
            length += 3;
        }
    }
    return length;
}

// Appends the UTF-8 bytes of a text. A lone surrogate, which UTF-8 cannot
// hold, becomes U+FFFD; the writers never hand one over. The room is made at
// the exact size: a long line would otherwise fill memory it never uses.
void appendUtf8(std::string& out, std::u16string_view text) {
    Converter toUtf8("UTF-8", "UTF-16LE");
    const std::size_t at = out.size();
    const std::size_t length = utf8Length(text);
    out.resize(at + length);
    const char* in = reinterpret_cast<const char*>(text.data());
    std::size_t inLeft = text.size() * 2;
    char* outPtr = out.data() + at;
    std::size_t outLeft = length;
    while (inLeft > 0 && !toUtf8.run(in, inLeft, outPtr, outLeft)) {
        if (errno != EILSEQ && errno != EINVAL) {
            break;
        }
        std::memcpy(outPtr, "\xEF\xBF\xBD", 3);
        outPtr += 3;
        outLeft -= 3;
        in += 2;
        inLeft -= 2;
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
}

// Appends the decoded UTF-8 bytes to `out` and returns how many bytes were
// used. A sequence cut off at the end is left unused unless `final`; every
// byte of an invalid or cut-off sequence becomes one U+FFFD.
std::size_t appendUtf8Decoded(Converter& fromUtf8, std::u16string& out, std::string_view bytes, bool final) {
    const std::size_t at = out.size();
    // A byte never yields more than one unit (four bytes yield two).
    out.resize(at + bytes.size());
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    auto* outPtr = reinterpret_cast<char*>(out.data() + at);
    std::size_t outLeft = bytes.size() * 2;
    while (inLeft > 0 && !fromUtf8.run(in, inLeft, outPtr, outLeft)) {
        if (errno == EINVAL && !final) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;
        }
        constexpr char16_t kReplacement = u'\uFFFD';
        std::memcpy(outPtr, &kReplacement, 2);
        outPtr += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    out.resize(static_cast<std::size_t>(reinterpret_cast<char16_t*>(outPtr) - out.data()));
    return bytes.size() - inLeft;
}

}  // namespace

std::string IconvTextFileStore::encodeUtf8(std::u16string_view text) {
    std::string out;
    appendUtf8(out, text);
    return out;
}

std::u16string IconvTextFileStore::decodeUtf8(std::string_view bytes) {
    Converter fromUtf8("UTF-16LE", "UTF-8");
    std::u16string out;
    appendUtf8Decoded(fromUtf8, out, bytes, true);
    return out;
}

FileResult IconvTextFileStore::writeText(const std::u16string& path, const std::vector<std::u16string>& lines,
                                         TextEncoding encoding) {
    std::string content;
    if (encoding == TextEncoding::Utf8) {
        std::size_t bytes = kUtf8BomSize;
        for (const auto& line : lines) {
            bytes += utf8Length(line) + 2;
        }
        content.reserve(bytes);
        content += kUtf8Bom;
        for (const auto& line : lines) {
            appendUtf8(content, line);
            content += "\r\n";
        }
    } else {
        std::size_t units = 0;
        for (const auto& line : lines) {
            units += line.size() + 2;
        }
        content.reserve(units * 2);
        for (const auto& line : lines) {
            appendEncoded(content, line);
            content += "\r\n";
        }
    }

    std::string target = encodeUtf8(path);
    struct stat existing {};
    bool exists = false;
    if (const int error = followLinks(target, existing, exists); error != 0) {
        return failure(error);
    }
    bool unkept = false;
    if (!exists) {
        return replaceWhole(target, content, nullptr, unkept);
    }
    // A device, FIFO, socket or folder is never replaced by a file.
    if (!S_ISREG(existing.st_mode)) {
        return failure(notRegular(existing.st_mode));
    }
    // A file without any write permission is read-only even to the superuser.
    if ((existing.st_mode & 0222) == 0) {
        return failure(FileProblem::ReadOnlyFile);
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failure(errno);
    }
    // Another name of the file would keep the old contents if it were replaced.
    if (existing.st_nlink == 1) {
        FileResult result = replaceWhole(target, content, &existing, unkept);
        if (!unkept) {
            return result;
        }
    }
    return writeInPlace(target, content);
}

ReadLinesResult IconvTextFileStore::readText(const std::u16string& path, std::size_t maxLines, TextEncoding encoding) {
    ReadLinesResult result;
    const std::string source = encodeUtf8(path);
    // Only a regular file is read: a FIFO would wait for a writer, a device
    // such as /dev/zero would never end, and opening some devices does things.
    struct stat info {};
    if (::stat(source.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return ReadLinesResult{false, text(notRegular(info.st_mode)), {}};
    }
    // Opened without waiting, should it have become something else meanwhile,
    // then checked again; reads then wait for their data as usual.
    const Descriptor file(::open(source.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    const int fd = file.fd;
    if (fd < 0) {
        return ReadLinesResult{false, reason(errno), {}};
    }
    int flags = 0;
    if (::fstat(fd, &info) != 0 || (flags = ::fcntl(fd, F_GETFL)) < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return ReadLinesResult{false, reason(errno), {}};
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadLinesResult{false, text(notRegular(info.st_mode)), {}};
    }
    if (static_cast<std::uint64_t>(info.st_size) > kLargestReadableFile) {
        return ReadLinesResult{false, text(FileProblem::TooLarge), {}};
    }

    // Bytes are decoded as they are read, a chunk at a time, and the lines are
    // split in the decoded text: CR and LF never occur inside a two-byte
    // character, so this splits exactly where the bytes would be split. A long
    // line is then built once, in its final form.
    std::array<char, kCrLfChunk> chunk;
    std::size_t carried = 0;  // the start of a character cut off by the previous read
    bool atStart = true;      // a UTF-8 file may open with a byte-order mark
    Converter fromUtf8("UTF-16LE", "UTF-8");
    const auto fill = [&](std::u16string& pending) {
        ssize_t n = 0;
        do {
            n = ::read(fd, chunk.data() + carried, chunk.size() - carried);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            return Fill::Failed;
        }
        const std::size_t available = carried + static_cast<std::size_t>(n);
        std::string_view bytes(chunk.data(), available);
        std::size_t skipped = 0;
        if (encoding == TextEncoding::Utf8 && atStart) {
            if (bytes.size() < kUtf8BomSize && n != 0) {
                carried = available;  // too few bytes yet to tell whether a mark opens the file
                return Fill::More;
            }
            atStart = false;
            if (bytes.starts_with(std::string_view(kUtf8Bom, kUtf8BomSize))) {
                skipped = kUtf8BomSize;
                bytes.remove_prefix(kUtf8BomSize);
            }
        }
        const std::size_t used =
            skipped + (encoding == TextEncoding::Utf8 ? appendUtf8Decoded(fromUtf8, pending, bytes, n == 0)
                                                      : appendDecoded(pending, bytes, n == 0));
        carried = available - used;
        std::memmove(chunk.data(), chunk.data() + used, carried);
        return n == 0 ? Fill::End : Fill::More;
    };
    bool ok = false;
    int error = 0;
    try {
        ok = readCrLfLines<char16_t>(fill, maxLines, result.lines, static_cast<std::size_t>(info.st_size));
        error = errno;
    } catch (const std::bad_alloc&) {
        // A line longer than the memory there is: reported like any failed read.
        std::vector<std::u16string>().swap(result.lines);
        error = ENOMEM;
    }
    if (!ok) {
        return ReadLinesResult{false, reason(error), {}};
    }
    return result;
}

}  // namespace bw
