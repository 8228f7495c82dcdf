#include "LargeText.h"

#include <algorithm>

namespace bw {

bool isLargeText(std::u16string_view text) {
    if (text.size() > kLargeTextUnits) {
        return true;
    }
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find(u'\n', from), text.size());
        if (end - from > kLongestLaidOutLine) {
            return true;
        }
        from = end + 1;
    }
    return false;
}

std::u16string glimpse(std::u16string_view text, std::size_t lines) {
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t line = 0; line < lines && from < text.size(); ++line) {
        const std::size_t end = std::min(text.find(u'\n', from), text.size());
        if (line > 0) {
            out += u'\n';
        }
        out += text.substr(from, std::min(end - from, kGlimpseLineUnits));
        if (end - from > kGlimpseLineUnits) {
            out += u'…';
        }
        from = end + 1;
    }
    if (from < text.size()) {
        out += lines > 1 ? u"\n…" : u"…";
    }
    return out;
}

}  // namespace bw
