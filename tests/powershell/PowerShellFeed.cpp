// Writes .ps1 files through the program's own writer for tools/powershell/
// runner.ps1, which runs each in a real PowerShell: NAME.ps1 and beside it
// NAME.expect, the message boxes that each answer must bring, worked out from
// the definition alone (docs/powershell-format.md), never from the writer.
//
//   powershell_feed FOLDER [RANDOM_COUNT]
//
// NAME.expect is ASCII, one entry a line:
//   path A B ...   a run: the answers the stand-in gives, in order
//   load           Add-Type -AssemblyName System.Windows.Forms
//   styles         [System.Windows.Forms.Application]::EnableVisualStyles()
//   call ARGS|TEXT|CAPTION|BUTTONS|ICON|DEFAULT|OPTIONS
//   call ARGS|owner|TEXT|...
//                  one MessageBox.Show: its argument count, then the values it
//                  received (DEFAULT Button1 and OPTIONS none when left out);
//                  "owner" when it was given an owner form (a timeout)
//   owner, timer MS, tick, owner disposed
//                  the timeout's owner form made, its timer started, the
//                  timer firing (answer -1: nobody answered), the form gone
// Texts are escaped code unit by code unit: printable ASCII other than \ and |
// as itself, any other unit as \uXXXX (so lone surrogates and NUL survive).

#include "core/WorkedExample.h"
#include "reader/DefinitionGenerator.h"

#include "codec/ScriptCodec.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace bw;
using test::dialog;

constexpr std::array<const char*, 6> kButtons = {"OK",          "OKCancel", "AbortRetryIgnore",
                                                 "YesNoCancel", "YesNo",    "RetryCancel"};
constexpr std::array<const char*, 4> kIcons = {"Error", "Question", "Warning", "Information"};
constexpr int kOk = 1;

std::string escaped(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    char unit[7];
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'|') {
            out += static_cast<char>(c);
        } else {
            std::snprintf(unit, sizeof unit, "\\u%04X", static_cast<unsigned>(c));
            out += unit;
        }
    }
    return out;
}

// One MessageBox.Show as the format says it is written: the owner form first
// for a timed first box, the default button only when not the first or when
// the options follow, the options when right-aligned or in front.
std::string call(std::u16string_view text, const DialogDefinition& def, ButtonSet buttons, int defaultButton,
                 bool owner = false) {
    const bool options = def.rightAligned || def.options.stayOnTop;
    const int arguments = (options ? 6 : defaultButton != 0 ? 5 : 4) + (owner ? 1 : 0);
    const std::string optionNames = def.rightAligned && def.options.stayOnTop ? "RightAlign+SystemModal"
                                    : def.options.stayOnTop                   ? "SystemModal"
                                    : def.rightAligned                        ? "RightAlign"
                                                                              : "none";
    return "call " + std::to_string(arguments) + (owner ? "|owner" : "") + "|" + escaped(text) + "|" +
           escaped(def.title) + "|" + kButtons[static_cast<std::size_t>(buttons)] + "|" +
           kIcons[static_cast<std::size_t>(def.icon)] + "|Button" + std::to_string(defaultButton + 1) + "|" +
           optionNames;
}

// Every answer the set's buttons give: the dialog, then the follow-up of that
// answer's slot when follow-ups are on and the slot is checked. With a
// timeout, the dialog has an owner form that goes after it, and one more path
// lets the time run out: the timer fires and the timeout's follow-up shows.
std::string expectations(const DialogDefinition& def) {
    const ButtonSetRow& row = buttonSetRow(def.buttons);
    const bool timed = def.options.timeoutSeconds > 0;
    const std::string start = "load\nstyles\n" + std::string(timed ? "owner\ntimer " : "") +
                              (timed ? std::to_string(def.options.timeoutSeconds * 1000) + "\n" : "") +
                              call(def.body, def, def.buttons, def.defaultButton, timed) + "\n";
    std::string out;
    const auto path = [&](int answer, const FollowUp& followUp, bool timedOut) {
        const bool followed = def.continuation && followUp.enabled;
        out += "path " + std::to_string(answer) + (followed ? " " + std::to_string(kOk) : "") + "\n" + start;
        if (timedOut) {
            out += "tick\n";
        }
        if (timed) {
            out += "owner disposed\n";
        }
        if (followed) {
            out += call(followUp.text, def, ButtonSet::OkOnly, 0) + "\n";
        }
    };
    for (std::size_t slot = 0; slot < row.returnCodes.size(); ++slot) {
        if (row.slotVisible[slot]) {
            path(row.returnCodes[slot], def.followUps[slot], false);
        }
    }
    if (timed) {
        path(-1, def.options.onTimeout, true);
    }
    return out;
}

void write(const std::filesystem::path& folder, const std::string& name, const DialogDefinition& def) {
    std::ofstream(folder / (name + ".ps1"), std::ios::binary)
        << encodeScript(ScriptFormat::Ps1, def, windowStateFor(def));
    std::ofstream(folder / (name + ".expect"), std::ios::binary) << expectations(def);
}

std::u16string units(std::initializer_list<char16_t> list) { return std::u16string(list); }

// Texts aimed at PowerShell's own syntax, and at the writer's escapes.
std::vector<std::pair<std::string, std::u16string>> hostileTexts() {
    std::vector<std::pair<std::string, std::u16string>> texts = {
        {"apostrophes", u"'It''s' '''"},
        {"single-quote-lookalikes", u"\u2018a\u2019b\u201Ac\u201Bd \u2018\u2018 '\u2019"},
        {"double-quote-lookalikes", u"\u201Ca\u201Db\u201Ec \"\" \u201C\"\u201D"},
        {"every-quote", u"'\"`\u2018\u2019\u201A\u201B\u201C\u201D\u201E\u2032\u2033\uFF07\uFF02"},
        {"subexpressions", u"$(Get-Date) $(throw 'x') $($answer) ${env:PATH} $answer $null $true @(1) @{a=1}"},
        {"backticks", u"`r`n `0 `` ` `$ `\" `' `u{41} `e"},
        {"here-string-marks", u"@'\r\n'@\r\n@\"\r\n\"@\r\n@' '@ @\" \"@"},
        {"here-string-start-line", u"@'"},
        {"here-string-end-line", u"\r\n'@"},
        {"comments", u"# x <# y #> #> <# #requires -Version 99"},
        {"script-syntax", u"'); Write-Error 'x'; ('  \" + (exit) + \"  ; } { | & . [char]0x41 [void]"},
        {"lone-high-end", units({u'a', char16_t{0xD800}})},
        {"lone-low-start", units({char16_t{0xDC00}, u'a'})},
        {"surrogates-swapped", units({char16_t{0xDC00}, char16_t{0xD800}})},
        {"two-highs", units({char16_t{0xDBFF}, char16_t{0xDBFF}, u'\'', char16_t{0xDFFF}})},
        {"pair-and-lone", u"\U0001F600\U0002000B" + units({char16_t{0xD83D}}) + u"\U0001F600"},
        {"line-separators", u"a\u2028b\u2029c\u0085d\u000Be\u000Cf"},
        {"nul", std::u16string(u"\0a\0\0b\0", 6)},
        {"breaks", u"\r\r\n\n\r\n\n\r"},
        {"only-cr", u"\r"},
        {"only-lf", u"\n"},
        {"break-then-quote", u"\r\n'\n'\r'"},
        {"bom-and-spaces", u"\uFEFF \u00A0\u3000\t\u200B\uFEFF"},
        {"dashes", u"\u2013Command \u2014x \u2015 -and -f"},
        {"empty", u""},
        {"unicode-misc", u"\uFFFD\uFFFE\uFFFF\u0080\uF8F0 本文 ｱｲｳ é € ¥"},
    };
    std::u16string longText;
    for (int i = 0; longText.size() < 70000; ++i) {
        longText += u"line ";
        longText += static_cast<char16_t>(u'0' + i % 10);
        // Few breaks: each one adds terms to the expression, and PowerShell
        // takes about a millisecond per term to compile it on the first run.
        longText += i % 97 == 0 ? u"'\u2018\r\n" : i % 89 == 0 ? std::u16string(u"\0", 1) : i % 5 == 0 ? u"'" : u" ";
    }
    texts.emplace_back("long", longText);
    texts.emplace_back("long-plain", std::u16string(100000, u'x'));
    return texts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: powershell_feed FOLDER [RANDOM_COUNT]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int randomCount = argc > 2 ? std::atoi(argv[2]) : 300;
    std::filesystem::create_directories(folder);
    int written = 0;
    auto keep = [&](const std::string& name, const DialogDefinition& def) {
        write(folder, name, def);
        ++written;
    };

    // The worked example, as it is and right-aligned with the second button as the default.
    DialogDefinition worked = test::workedExample();
    keep("worked-example", worked);
    worked.rightAligned = true;
    worked.defaultButton = 1;
    keep("worked-example-right", worked);
    keep("worked-its-done", dialog(u"Title", u"It's\r\ndone", IconKind::Information, ButtonSet::OkOnly, false, false));

    // Every button set with every default button, alignment and icon, follow-ups on and off.
    int sweep = 0;
    for (int set = 0; set < 6; ++set) {
        const int count = buttonCount(buttonSetRow(static_cast<ButtonSet>(set)));
        for (int defaultButton = 0; defaultButton < count; ++defaultButton) {
            for (int right = 0; right < 2; ++right) {
                for (int continuation = 0; continuation < 2; ++continuation) {
                    const std::array<FollowUp, 3> followUps = {
                        {{sweep % 2 == 0, u"first"}, {sweep % 3 != 0, u"second"}, {sweep % 4 != 1, u"third"}}};
                    keep("sweep-" + std::to_string(sweep),
                         dialog(u"Sweep", u"Body " + std::u16string(1, static_cast<char16_t>(u'A' + set)),
                                static_cast<IconKind>(sweep % 4), static_cast<ButtonSet>(set), right == 1,
                                continuation == 1, followUps, defaultButton));
                    ++sweep;
                }
            }
        }
    }

    // Hostile texts as the body, the title and a follow-up.
    int hostile = 0;
    for (const auto& [name, text] : hostileTexts()) {
        const std::array<FollowUp, 3> followUps = {{{true, text}, {true, u"no " + text}, {false, text}}};
        keep("hostile-" + name, dialog(text, text, static_cast<IconKind>(hostile % 4), ButtonSet::YesNoCancel,
                                       hostile % 2 == 1, true, followUps, hostile % 3));
        ++hostile;
    }

    // A timeout and stay-on-top with every button set, alignment and
    // default button, follow-ups on and off.
    for (int set = 0; set < 6; ++set) {
        for (int variant = 0; variant < 4; ++variant) {
            const auto buttons = static_cast<ButtonSet>(set);
            DialogDefinition def =
                dialog(u"再起動", u"5 分後に再起動します。\r\n保存してください。", static_cast<IconKind>(variant),
                       buttons, variant % 2 == 1, variant != 2, {{{true, u"a"}, {variant != 1, u"b"}, {true, u"c"}}},
                       variant % buttonCount(buttonSetRow(buttons)));
            def.options = {variant == 3 ? kLongestTimeoutSeconds : 30 + set, {variant != 0, u"時間切れ"}, variant >= 2};
            keep("timed-" + std::to_string(set) + "-" + std::to_string(variant), def);
        }
        DialogDefinition onTop =
            dialog(u"T", u"in front", IconKind::Information, static_cast<ButtonSet>(set), set % 2 == 0, true);
        onTop.options.stayOnTop = true;
        keep("on-top-" + std::to_string(set), onTop);
    }

    test::DefinitionGenerator generator(20260315, true);
    for (int i = 0; i < randomCount; ++i) {
        keep("random-" + std::to_string(i), generator.next());
    }
    std::cout << written << " scripts written to " << folder.string() << "\n";
    return 0;
}
