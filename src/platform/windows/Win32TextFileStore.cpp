// Text files in code page 932 through the Windows conversion API.
#include "platform/CodePage932.h"
#include "platform/CrLfLines.h"
#include "platform/SystemTextFileStore.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <new>
#include <string>

namespace bw {

namespace {

constexpr UINT kCodePage = 932;

// Code page bytes of every UTF-16 code unit that survives the round trip.
struct EncodeTable {
    std::array<std::uint16_t, 0x10000> bytes{};
    std::array<std::uint8_t, 0x10000> length{};

    EncodeTable() {
        for (std::uint32_t unit = 1; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                continue;
            }
            const wchar_t in = static_cast<wchar_t>(unit);
            char out[4];
            BOOL usedDefault = FALSE;
            const int n =
                WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out, nullptr, &usedDefault);
            if (n < 1 || n > 2 || usedDefault) {
                continue;
            }
            wchar_t back[2];
            if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, out, n, back, 2) != 1 || back[0] != in) {
                continue;
            }
            length[unit] = static_cast<std::uint8_t>(n);
            bytes[unit] = static_cast<std::uint16_t>(n == 1 ? static_cast<unsigned char>(out[0])
                                                            : (static_cast<unsigned char>(out[0]) << 8) |
                                                                  static_cast<unsigned char>(out[1]));
        }
        length[0] = 1;
        for (const CodePage932Extra& extra : kCodePage932Extras) {
            length[extra.unit] = 1;
            bytes[extra.unit] = extra.byte;
        }
    }
};

// The character of a byte that Windows maps on its own; 0 for any other byte.
char16_t extraUnit(unsigned char byte) {
    for (const CodePage932Extra& extra : kCodePage932Extras) {
        if (extra.byte == byte) {
            return extra.unit;
        }
    }
    return 0;
}

const EncodeTable& encodeTable() {
    static const EncodeTable table;
    return table;
}

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::u16string reason(DWORD error) {
    wchar_t* message = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::u16string out;
    for (DWORD i = 0; i < n; ++i) {
        if (message[i] != L'\r' && message[i] != L'\n') {
            out += static_cast<char16_t>(message[i]);
        }
    }
    LocalFree(message);
    return out;
}

void appendEncoded(std::string& out, std::u16string_view text) {
    const EncodeTable& table = encodeTable();
    for (const char16_t unit : text) {
        const std::uint16_t code = table.bytes[unit];
        switch (table.length[unit]) {
            case 1:
                out += static_cast<char>(code);
                break;
            case 2:
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
                break;
            default:
                out += '?';
                break;
        }
    }
}

// Decodes one character at a time, so an undefined sequence costs one U+FFFD per byte.
std::u16string decode(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (const char16_t extra = extraUnit(static_cast<unsigned char>(bytes[i])); extra != 0) {
            out += extra;
            ++i;
            continue;
        }
        const int size = (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(bytes[i])) && i + 1 < bytes.size()) ? 2 : 1;
        wchar_t unit = 0;
        if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data() + i, size, &unit, 1) == 1) {
            out += static_cast<char16_t>(unit);
            i += static_cast<std::size_t>(size);
        } else {
            out += u'\uFFFD';
            ++i;
        }
    }
    return out;
}

// UTF-8 through the system's conversion; a lone surrogate becomes U+FFFD.
void appendUtf8(std::string& out, std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    const auto* in = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, in, size, nullptr, 0, nullptr, nullptr);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_UTF8, 0, in, size, out.data() + at, needed, nullptr, nullptr);
}

// Invalid sequences become U+FFFD, as the system's conversion does.
std::u16string decodeUtf8(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), needed);
    return out;
}

class Win32TextFileStore : public TextFileStore {
public:
    bool isRepresentable(char16_t unit) const override { return encodeTable().length[unit] != 0; }

    FileResult writeText(const std::u16string& path, const std::vector<std::u16string>& lines,
                         TextEncoding encoding) override {
        std::string content;
        if (encoding == TextEncoding::Utf8) {
            content += "\xEF\xBB\xBF";
        }
        for (const auto& line : lines) {
            if (encoding == TextEncoding::Utf8) {
                appendUtf8(content, line);
            } else {
                appendEncoded(content, line);
            }
            content += "\r\n";
        }
        const std::wstring target = wide(path);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return {false, reason(ERROR_DIRECTORY)};
        }
        std::wstring folder = target;
        const auto slash = folder.find_last_of(L"\\/");
        folder = slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash);
        wchar_t temp[MAX_PATH + 1];
        if (GetTempFileNameW(folder.c_str(), L"bxw", 0, temp) == 0) {
            return {false, reason(GetLastError())};
        }
        HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            DeleteFileW(temp);
            return {false, reason(error)};
        }
        DWORD written = 0;
        DWORD error = 0;
        if (!WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
            written != content.size() || !FlushFileBuffers(file)) {
            error = GetLastError();
        }
        CloseHandle(file);
        if (error == 0 && !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
        if (error != 0) {
            DeleteFileW(temp);
            return {false, reason(error)};
        }
        return {};
    }

    ReadLinesResult readText(const std::u16string& path, std::size_t maxLines, TextEncoding encoding) override {
        const std::wstring source = wide(path);
        HANDLE file = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return {false, reason(GetLastError()), {}};
        }
        DWORD error = 0;
        ReadLinesResult result;
        try {
            std::vector<std::string> raw;
            LARGE_INTEGER size{};
            const std::size_t sizeHint = GetFileSizeEx(file, &size) ? static_cast<std::size_t>(size.QuadPart) : 0;
            const auto read = [file, &error](char* buffer, std::size_t capacity) -> long long {
                if (DWORD n = 0; ReadFile(file, buffer, static_cast<DWORD>(capacity), &n, nullptr)) {
                    return n;
                }
                error = GetLastError();
                return -1;
            };
            result.ok = readCrLfLines<char>(byteFill(read), maxLines, raw, sizeHint);
            for (std::string& line : raw) {
                if (encoding == TextEncoding::Utf8) {
                    // Only the file's first line may open with the byte-order mark.
                    std::string_view bytes = line;
                    if (result.lines.empty() && bytes.starts_with("\xEF\xBB\xBF")) {
                        bytes.remove_prefix(3);
                    }
                    result.lines.push_back(decodeUtf8(bytes));
                } else {
                    result.lines.push_back(decode(line));
                }
                std::string().swap(line);  // each raw line is let go as soon as it is decoded
            }
        } catch (const std::bad_alloc&) {
            // A line longer than the memory there is: reported like any failed read.
            result = ReadLinesResult{false, {}, {}};
            error = ERROR_NOT_ENOUGH_MEMORY;
        }
        CloseHandle(file);
        if (!result.ok) {
            return {false, reason(error), {}};
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<TextFileStore> makeSystemTextFileStore() { return std::make_unique<Win32TextFileStore>(); }

}  // namespace bw
