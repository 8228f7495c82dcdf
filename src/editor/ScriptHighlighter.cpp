#include "ScriptHighlighter.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace bw {

namespace {

// The states a line can be in between two tokens.
enum VbsState { kVbsPlain, kVbsString, kVbsComment, kHtmlTag };
enum PsState {
    kPsPlain,
    kPsDoubleQuoted,
    kPsSingleQuoted,
    kPsLineComment,
    kPsBlockComment,
    kPsDoubleHereString,
    kPsSingleHereString
};

// Lower case; a word is compared after folding its ASCII case.
constexpr auto kVbsKeywords = std::to_array<std::u16string_view>(
    {u"and",    u"call",   u"case",  u"chr",      u"chrw",   u"const",    u"dim",    u"do",  u"each",     u"else",
     u"elseif", u"empty",  u"end",   u"error",    u"exit",   u"explicit", u"false",  u"for", u"function", u"if",
     u"in",     u"is",     u"loop",  u"mod",      u"msgbox", u"new",      u"next",   u"not", u"nothing",  u"null",
     u"on",     u"option", u"or",    u"preserve", u"redim",  u"resume",   u"select", u"set", u"sub",      u"then",
     u"to",     u"true",   u"until", u"wend",     u"while",  u"xor"});
constexpr auto kPsKeywords = std::to_array<std::u16string_view>(
    {u"$false",  u"$null", u"$true",        u"begin",    u"break",  u"catch", u"class", u"continue", u"data",
     u"default", u"do",    u"dynamicparam", u"else",     u"elseif", u"end",   u"enum",  u"exit",     u"filter",
     u"finally", u"for",   u"foreach",      u"function", u"if",     u"in",    u"param", u"process",  u"return",
     u"switch",  u"throw", u"trap",         u"try",      u"until",  u"using", u"while"});

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isWordStart(QChar c) { return isAsciiLetter(c) || c == u'_'; }
bool isWordChar(QChar c) { return isWordStart(c) || (c >= u'0' && c <= u'9'); }

qsizetype wordEnd(QStringView line, qsizetype pos) {
    while (pos < line.size() && isWordChar(line[pos])) {
        ++pos;
    }
    return pos;
}

template <std::size_t N>
bool inList(const std::array<std::u16string_view, N>& list, std::u16string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Whether a word is one of the language's keywords, ignoring ASCII case.
bool isKeyword(ScriptLanguage language, QStringView word) {
    std::array<char16_t, 16> lower{};
    if (word.size() > static_cast<qsizetype>(lower.size())) {
        return false;
    }
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        lower[static_cast<std::size_t>(i)] = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    const std::u16string_view w(lower.data(), static_cast<std::size_t>(word.size()));
    if (language == ScriptLanguage::PowerShell) {
        return inList(kPsKeywords, w);
    }
    // The script's constants (vbCrLf, vbMsgBoxRight, ...) count as keywords.
    return inList(kVbsKeywords, w) || (w.size() > 2 && w.substr(0, 2) == u"vb");
}

bool startsWithAt(QStringView line, qsizetype pos, QStringView what) { return line.sliced(pos).startsWith(what); }

}  // namespace

ScriptToken ScriptHighlighter::next(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const {
    return language_ == ScriptLanguage::PowerShell ? nextPowerShell(line, pos, state, softLimit)
                                                   : nextVbs(line, pos, state, softLimit);
}

int ScriptHighlighter::nextLineState(int state) const {
    if (linesIndependent() || state == kPsLineComment) {
        return 0;
    }
    return state;
}

ScriptToken ScriptHighlighter::nextVbs(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const {
    const qsizetype limit = std::min(line.size(), std::max(softLimit, pos + 1));
    // Runs until the closing character, which ends the token and the state.
    auto until = [&](qsizetype from, QChar close, TokenKind kind) {
        for (qsizetype j = from; j < limit; ++j) {
            if (line[j] == close) {
                state = kVbsPlain;
                return ScriptToken{j + 1, kind};
            }
        }
        return ScriptToken{std::max(limit, from), kind};
    };
    switch (state) {
        case kVbsString:
            return until(pos, u'"', TokenKind::String);
        case kVbsComment:
            return {limit, TokenKind::Comment};
        case kHtmlTag:
            return until(pos, u'>', TokenKind::Tag);
        default:
            break;
    }
    const bool html = language_ == ScriptLanguage::Html;
    const QChar c = line[pos];
    if (c == u'"') {
        state = kVbsString;
        return until(pos + 1, u'"', TokenKind::String);
    }
    if (c == u'\'') {
        state = kVbsComment;
        return {limit, TokenKind::Comment};
    }
    if (html && startsWithAt(line, pos, u"<!--")) {
        return {pos + 4, TokenKind::Comment};
    }
    if (html && startsWithAt(line, pos, u"-->")) {
        return {pos + 3, TokenKind::Comment};
    }
    if (html && c == u'<' && pos + 1 < line.size() && (isAsciiLetter(line[pos + 1]) || line[pos + 1] == u'/')) {
        state = kHtmlTag;
        return until(pos + 1, u'>', TokenKind::Tag);
    }
    if (isWordStart(c)) {
        const qsizetype end = wordEnd(line, pos);
        const QStringView word = line.sliced(pos, end - pos);
        if (word.compare(u"rem", Qt::CaseInsensitive) == 0) {
            state = kVbsComment;
            return {std::max(end, limit), TokenKind::Comment};
        }
        return {end, isKeyword(language_, word) ? TokenKind::Keyword : TokenKind::Plain};
    }
    qsizetype j = pos + 1;
    while (j < limit && !isWordStart(line[j]) && line[j] != u'"' && line[j] != u'\'' &&
           !(html && (line[j] == u'<' || line[j] == u'-'))) {
        ++j;
    }
    return {j, TokenKind::Plain};
}

ScriptToken ScriptHighlighter::nextPowerShell(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const {
    const qsizetype size = line.size();
    const qsizetype limit = std::min(size, std::max(softLimit, pos + 1));
    // A quoted string from `from`: a backtick escapes the next unit in double quotes.
    auto quoted = [&](qsizetype from, QChar close, bool escapes) {
        qsizetype j = from;
        while (j < limit) {
            if (escapes && line[j] == u'`') {
                j += 2;
            } else if (line[j] == close) {
                state = kPsPlain;
                return ScriptToken{j + 1, TokenKind::String};
            } else {
                ++j;
            }
        }
        return ScriptToken{std::min(std::max(j, limit), size), TokenKind::String};
    };
    auto blockComment = [&](qsizetype from) {
        for (qsizetype j = from; j < limit; ++j) {
            if (line[j] == u'#' && j + 1 < size && line[j + 1] == u'>') {
                state = kPsPlain;
                return ScriptToken{j + 2, TokenKind::Comment};
            }
        }
        return ScriptToken{std::max(limit, from), TokenKind::Comment};
    };
    // A here-string ends at a line that starts with its closing pair.
    auto hereString = [&](QStringView close) {
        if (pos == 0 && line.startsWith(close)) {
            state = kPsPlain;
            return ScriptToken{2, TokenKind::String};
        }
        return ScriptToken{limit, TokenKind::String};
    };
    switch (state) {
        case kPsDoubleQuoted:
            return quoted(pos, u'"', true);
        case kPsSingleQuoted:
            return quoted(pos, u'\'', false);
        case kPsLineComment:
            return {limit, TokenKind::Comment};
        case kPsBlockComment:
            return blockComment(pos);
        case kPsDoubleHereString:
            return hereString(u"\"@");
        case kPsSingleHereString:
            return hereString(u"'@");
        default:
            break;
    }
    const QChar c = line[pos];
    const QChar after = pos + 1 < size ? line[pos + 1] : QChar();
    if (c == u'<' && after == u'#') {
        state = kPsBlockComment;
        return blockComment(pos + 2);
    }
    if (c == u'#') {
        state = kPsLineComment;
        return {limit, TokenKind::Comment};
    }
    if (c == u'@' && (after == u'"' || after == u'\'') && pos + 2 == size) {
        state = after == u'"' ? kPsDoubleHereString : kPsSingleHereString;
        return {size, TokenKind::String};
    }
    if (c == u'"' || c == u'\'') {
        state = c == u'"' ? kPsDoubleQuoted : kPsSingleQuoted;
        return quoted(pos + 1, c, c == u'"');
    }
    if ((c == u'$' && isWordStart(after)) || isWordStart(c)) {
        const qsizetype end = wordEnd(line, pos + 1);
        return {end, isKeyword(language_, line.sliced(pos, end - pos)) ? TokenKind::Keyword : TokenKind::Plain};
    }
    qsizetype j = pos + 1;
    while (j < limit && !isWordStart(line[j]) && line[j] != u'"' && line[j] != u'\'' && line[j] != u'#' &&
           line[j] != u'<' && line[j] != u'@' && line[j] != u'$') {
        ++j;
    }
    return {j, TokenKind::Plain};
}

}  // namespace bw
