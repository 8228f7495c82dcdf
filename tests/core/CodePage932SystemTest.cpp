// The compiled code page 932 against two conversions made apart from it:
// glibc's iconv (CP932) here, and Python's cp932 codec (cp932_check.py, fed by
// cp932_dump). Windows' own is compared under Wine (tests/windows).
#include "codec/CodePage932.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstring>
#include <string>

namespace bw {
namespace {

// The single bytes Windows' table defines on its own, which iconv leaves out.
bool windowsExtra(unsigned byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    // The whole input converted, or nothing.
    bool run(const char* in, std::size_t inSize, std::string& out) {
        char buffer[16];
        char* inPtr = const_cast<char*>(in);
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inSize, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inSize != 0) {
            return false;
        }
        out.assign(buffer, outPtr);
        return true;
    }

private:
    iconv_t cd_;
};

TEST(CodePage932System, EncodesEveryUnitAsIconvDoesWhereItRoundTrips) {
    Iconv toCp("CP932", "UTF-16LE");
    Iconv fromCp("UTF-16LE", "CP932");
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        if ((unit >= 0xD800 && unit <= 0xDFFF) || unit == 0x80 || (unit >= 0xF8F0 && unit <= 0xF8F3)) {
            continue;
        }
        const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        std::string bytes;
        std::string back;
        const bool system = toCp.run(in, 2, bytes) && bytes.size() <= 2 &&
                            fromCp.run(bytes.data(), bytes.size(), back) && back == std::string(in, 2);
        const std::u16string text(1, static_cast<char16_t>(unit));
        if (system) {
            ASSERT_EQ(encodeCodePage932(text), bytes) << unit;
        } else {
            ASSERT_FALSE(CodePage932::get().holds(static_cast<char16_t>(unit))) << unit;
        }
    }
}

TEST(CodePage932System, DecodesEveryByteAndPairAsIconvDoes) {
    Iconv fromCp("UTF-16LE", "CP932");
    const auto system = [&](const char* bytes, std::size_t n) -> char16_t {
        std::string out;
        if (!fromCp.run(bytes, n, out) || out.size() != 2) {
            return u'\uFFFD';
        }
        return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
    };
    for (unsigned lead = 0; lead < 0x100; ++lead) {
        if (windowsExtra(lead)) {
            continue;
        }
        const char one = static_cast<char>(lead);
        const char16_t single = system(&one, 1);
        if (single != u'\uFFFD' || lead == 0) {
            ASSERT_EQ(decodeCodePage932(std::string(1, one)), std::u16string(1, lead == 0 ? u'\0' : single)) << lead;
            continue;
        }
        for (unsigned trail = 0; trail < 0x100; ++trail) {
            const char two[2] = {one, static_cast<char>(trail)};
            ASSERT_EQ(decodeCodePage932(std::string(two, 2)).front(), system(two, 2)) << lead << " " << trail;
        }
    }
}

}  // namespace
}  // namespace bw
