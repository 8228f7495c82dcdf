#pragma once

#include "model/DialogTables.h"

#include <random>
#include <string>
#include <vector>

namespace bw::test {

// Random definitions from texts a user may type around the script's own syntax.
class DefinitionGenerator {
public:
    // With `options`, about half the definitions also get a timeout, its
    // follow-up, and stay-on-top.
    explicit DefinitionGenerator(std::uint32_t seed, bool options = false) : random_(seed), options_(options) {}

    DialogDefinition next() {
        DialogDefinition def;
        def.title = text(true);
        def.body = text(false);
        def.icon = static_cast<IconKind>(pick(4));
        def.buttons = static_cast<ButtonSet>(pick(6));
        def.defaultButton = static_cast<int>(pick(static_cast<std::size_t>(buttonCount(buttonSetRow(def.buttons)))));
        def.rightAligned = pick(2) == 1;
        def.continuation = pick(2) == 1;
        for (FollowUp& followUp : def.followUps) {
            followUp.enabled = pick(2) == 1;
            followUp.text = text(false);
        }
        if (options_ && pick(2) == 1) {
            constexpr int kTimeouts[] = {0, 1, 30, 300, kLongestTimeoutSeconds};
            def.options.timeoutSeconds = kTimeouts[pick(5)];
            def.options.stayOnTop = pick(2) == 1;
            def.options.onTimeout.enabled = pick(2) == 1;
            def.options.onTimeout.text = text(false);
        }
        return def;
    }

private:
    std::mt19937 random_;
    bool options_ = false;

    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    // A title typed in the window is one line, but one read from a file may
    // hold any character, line breaks included.
    std::u16string text(bool /*title*/) {
        static const std::vector<std::u16string> pieces = {u"\"",
                                                           u"\"\"",
                                                           u"\r",
                                                           u"\n",
                                                           u"\r\n",
                                                           u"+",
                                                           u" + ",
                                                           u"'",
                                                           u",",
                                                           u", ",
                                                           u" ",
                                                           u"a",
                                                           u"Body",
                                                           u"0",
                                                           u"16",
                                                           u"本文",
                                                           u"日本語のテキスト",
                                                           u"ｱｲｳ",
                                                           u"「」",
                                                           u"é",
                                                           u"€",
                                                           u"¥",
                                                           u"\U0001F600",
                                                           u"\uFFFD",
                                                           std::u16string(1, u'\0'),
                                                           u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
                                                           u"\"&vbCr&\"",
                                                           u"\"&Chr(0)&\"",
                                                           std::u16string(1, char16_t{0xD800}),
                                                           std::u16string(1, char16_t{0xDC00}),
                                                           u"&",
                                                           u"&&",
                                                           u"(",
                                                           u")",
                                                           u"\"&Chr(34)&\"",
                                                           u"\"&vbCrLf&\"",
                                                           u"\"&ChrW(233)&\"",
                                                           u"&Chr(34)&",
                                                           u"&vbCrLf&",
                                                           u"&ChrW(",
                                                           u")&\"",
                                                           u"&&Chr(34)&&",
                                                           u"&&vbCrLf&&",
                                                           u"Chr(34)",
                                                           u"vbCrLf",
                                                           u"+ vbMsgBoxRight",
                                                           u" + vbMsgBoxRight",
                                                           u"selectkey = MsgBox(",
                                                           u"SelectKey = MsgBox(",
                                                           u"Select Case SelectKey",
                                                           u"Case 1",
                                                           u"End Select",
                                                           u"\u2018\u2019\u201A\u201B",
                                                           u"''",
                                                           u"`r`n",
                                                           u"`",
                                                           u"$answer",
                                                           u"\"`r`n\" + '",
                                                           u"[char]0xD800",
                                                           u"# ",
                                                           u"{}",
                                                           u"\t"};
        std::u16string out;
        const std::size_t count = pick(12);
        for (std::size_t i = 0; i < count; ++i) {
            out += pieces[pick(pieces.size())];
        }
        return out;
    }
};

}  // namespace bw::test
