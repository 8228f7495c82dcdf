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

// The same kind of body for the PowerShell script: one character in ten is a
// quote of one of the kinds its literals treat specially or not at all (the
// apostrophe, U+2018 to U+201B, the double quotes, straight and curly) or a
// line break (CR LF mostly, now and then a lone LF or CR), the rest Japanese
// and Latin text.
inline std::u16string quotedBody(std::size_t units) {
    std::u16string body;
    body.reserve(units + 1);
    const std::u16string_view plain = u"本文のテキストabc";
    constexpr std::u16string_view kSpecials[] = {u"'",      u"\"",     u"\u2018", u"\r\n",   u"\u2019",
                                                 u"\u201A", u"\u201B", u"\u201C", u"\u201D", u"\r\n",
                                                 u"'",      u"\n",     u"\u2019", u"\r",     u"\r\n"};
    std::size_t i = 0;
    std::size_t special = 0;
    while (body.size() < units) {
        if (i % 10 == 9) {
            body += kSpecials[special++ % std::size(kSpecials)];
        } else {
            body += plain[i % plain.size()];
        }
        ++i;
    }
    body.resize(units);
    return body;
}

}  // namespace bw::bench
