// Writes what the desktop's writers make of the definitions the web tests
// give, for them to compare the page's bytes with:
//   web_expected DEFINITIONS OUT_FOLDER
// DEFINITIONS holds the definitions one after the other, every number a
// little-endian 32-bit word and every text its length in UTF-16 units and the
// units (little-endian): title, body, icon, buttons, right-aligned, default
// button, continuation, then each follow-up's enabled flag and text. For the
// n-th definition (from 0) it writes n.vbs, n.htm and n.ps1.
#include "codec/ScriptCodec.h"
#include "model/EditorRules.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace bw;

class Reader {
public:
    explicit Reader(std::string bytes) : bytes_(std::move(bytes)) {}
    bool more() const { return at_ < bytes_.size(); }
    std::uint32_t number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(byte()) << (8 * i);
        }
        return value;
    }
    std::u16string text() {
        std::u16string out(number(), u'\0');
        for (char16_t& unit : out) {
            unit = static_cast<char16_t>(byte() | (byte() << 8));
        }
        return out;
    }

private:
    unsigned byte() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : 0; }
    std::string bytes_;
    std::size_t at_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_expected DEFINITIONS OUT_FOLDER\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    Reader reader(std::string(std::istreambuf_iterator<char>(in), {}));
    for (int n = 0; reader.more(); ++n) {
        DialogDefinition def;
        def.title = reader.text();
        def.body = reader.text();
        def.icon = static_cast<IconKind>(reader.number());
        def.buttons = static_cast<ButtonSet>(reader.number());
        def.rightAligned = reader.number() != 0;
        def.defaultButton = static_cast<int>(reader.number());
        def.continuation = reader.number() != 0;
        for (FollowUp& followUp : def.followUps) {
            followUp.enabled = reader.number() != 0;
            followUp.text = reader.text();
        }
        const WindowState state = windowStateFor(def);
        const std::pair<ScriptFormat, const char*> formats[] = {
            {ScriptFormat::Vbs, ".vbs"}, {ScriptFormat::Html, ".htm"}, {ScriptFormat::Ps1, ".ps1"}};
        for (const auto& [format, suffix] : formats) {
            std::ofstream out(std::string(argv[2]) + "/" + std::to_string(n) + suffix, std::ios::binary);
            const std::string bytes = encodeScript(format, def, state);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "web_expected: cannot write %s\n", argv[2]);
                return 1;
            }
        }
    }
    return 0;
}
