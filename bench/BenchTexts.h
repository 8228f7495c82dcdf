#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bw::bench {

// A body of the given length in which one character in ten is a double quote
// or a line break, the rest Japanese and Latin text.
inline std::u16string mixedBody(std::size_t units) {
    std::u16string body;
    body.reserve(units + 1);
    const std::u16string_view plain = u"本文のテキストabc";
    std::size_t i = 0;
    while (body.size() < units) {
        if (i % 10 == 9) {
            body += (i % 20 == 19) ? std::u16string_view(u"\r\n") : std::u16string_view(u"\"");
        } else {
            body += plain[i % plain.size()];
        }
        ++i;
    }
    body.resize(units);
    return body;
}

}  // namespace bw::bench
