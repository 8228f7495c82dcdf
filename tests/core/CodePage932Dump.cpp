// Prints the compiled code page 932 for cp932_check.py: "D <hex bytes> <hex unit>"
// for every single byte and byte pair it decodes to a character, then
// "E <hex unit> <hex bytes>" for every unit it encodes.
#include "codec/CodePage932.h"

#include <cstdio>
#include <string>

namespace {

void printBytes(const std::string& bytes) {
    for (const char c : bytes) {
        std::printf("%02X", static_cast<unsigned char>(c));
    }
}

}  // namespace

int main() {
    using namespace bw;
    for (unsigned lead = 0; lead < 0x100; ++lead) {
        for (unsigned trail = 0; trail <= 0x100; ++trail) {
            std::string bytes(1, static_cast<char>(lead));
            if (trail < 0x100) {
                bytes += static_cast<char>(trail);
            }
            const std::u16string text = decodeCodePage932(bytes);
            // A pair that decodes to one character; a single byte that does.
            if (text.size() == 1 && text[0] != u'\uFFFD' && (trail < 0x100 || lead < 0x80 || text[0] != 0)) {
                std::printf("D ");
                printBytes(bytes);
                std::printf(" %04X\n", static_cast<unsigned>(text[0]));
            }
        }
    }
    const CodePage932& table = CodePage932::get();
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        if (table.holds(static_cast<char16_t>(unit))) {
            std::printf("E %04X ", unit);
            printBytes(encodeCodePage932(std::u16string(1, static_cast<char16_t>(unit))));
            std::printf("\n");
        }
    }
    return 0;
}
