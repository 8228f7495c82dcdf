#include "ScriptRefusal.h"

#include "codec/TextLines.h"
#include "codec/Utf8.h"
#include "codec/VbsReader.h"
#include "model/AsciiCase.h"

#include <algorithm>

namespace bw {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool hasAsciiIgnoringCase(std::u16string_view text, std::u16string_view needle) {
    if (text.size() < needle.size()) {
        return false;
    }
    for (std::size_t at = 0; at + needle.size() <= text.size(); ++at) {
        if (sameIgnoringAsciiCase(text.substr(at, needle.size()), needle)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::u16string> whyNotAVbsScript(std::string_view bytes) {
    if (bytes.empty()) {
        return u"空のファイルです。";
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return u"UTF-16 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。";
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return u"UTF-8 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。";
    }
    // The lines the reader reads. A file the writer wrote has no byte the
    // code page lacks; one that has, and is UTF-8 throughout, was written in UTF-8.
    const std::vector<std::u16string> lines = decodeLines(bytes, kVbsScriptLines, TextEncoding::CodePage932);
    const bool undecodable =
        std::any_of(lines.begin(), lines.end(), [](const std::u16string& l) { return l.find(kReplacement) != l.npos; });
    if (undecodable && isUtf8(bytes)) {
        return u"UTF-8 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。";
    }
    // A first line that shows a dialog is read as far as the reader's rules
    // carry, whatever else the file holds (a text may hold any character).
    const std::u16string_view line = lines.empty() ? std::u16string_view() : std::u16string_view(lines.front());
    const bool showsABox = hasAsciiIgnoringCase(line, u"MsgBox") || hasAsciiIgnoringCase(line, u".Popup(");
    if (showsABox && line.find(u'"') != std::u16string_view::npos) {
        return std::nullopt;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return u"テキストではないファイル（バイナリ ファイル）です。";
    }
    if (undecodable) {
        return u"コードページ 932（シフト JIS）の文字ではないバイトがあります。";
    }
    return std::u16string(kNoDialogLine);
}

}  // namespace bw
