// Writes scripts through the real .vbs writer for the VBScript engine check,
// each with the report the engine must give: every box with the definition's
// own texts and style, for each slot's answer.

#include "ScriptCheckOutput.h"
#include "codec/ScriptWriter.h"
#include "core/TestText.h"
#include "core/WorkedExample.h"
#include "doubles/TextFiles.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"
#include "model/MessageBoxStyle.h"
#include "platform/SystemFileStore.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

constexpr int kRightAlignStyle = 524288;

struct FeedCase {
    const char* name;
    DialogDefinition def;
};

const FeedCase kCases[] = {
    {"quotes-and-breaks",
     dialog(u"Question", u"Save the file?\r\nIt will be \"final\".", IconKind::Question, ButtonSet::YesNoCancel, false,
            true, {{{true, u"Saved."}, {true, u"\"\"\r\n\r\n'"}, {false, u"本文"}}})},
    {"japanese-right", dialog(u"確認", u"保存しますか？ ①Ⅱ～", IconKind::Information, ButtonSet::YesNo, true, true,
                              {{{true, u"はい、保存。"}, {true, u"いいえ"}, {true, u"隠れた枠"}}})},
    {"outside-code-page", dialog(u"€ 😀", u"\u0080\uF8F0\uF8F3 ÄÖÜ € 😀 \U0002000B", IconKind::Exclamation,
                                 ButtonSet::OkCancel, false, false)},
    {"empty-texts", dialog(u"", u"", IconKind::Critical, ButtonSet::OkOnly, false, true,
                           {{{false, u""}, {false, u""}, {false, u""}}})},
    {"escape-lookalikes",
     dialog(u"\"&vbCrLf&\"", u"\"&Chr(34)&\" ChrW(65) End Sub", IconKind::Question, ButtonSet::RetryCancel, true, true,
            {{{true, u"'"}, {true, u"\"&ChrW(0)&\""}, {true, u"x"}}})},
    {"abort-retry-ignore", dialog(u"T", u"a", IconKind::Critical, ButtonSet::AbortRetryIgnore, false, true)},
    {"script-end-in-texts", dialog(u"</SCRIPT >", u"x</script>y </Script/z", IconKind::Information, ButtonSet::OkCancel,
                                   false, true, {{{true, u"</scriptx"}, {true, u"<</script\t"}, {true, u"</"}}})},
    {"lone-breaks-and-nul", dialog(u"two\r\nlines", std::u16string(u"cr\rlf\nnul\0crlf\r\n\r", 17),
                                   IconKind::Information, ButtonSet::YesNoCancel, true, true,
                                   {{{true, std::u16string(u"\0", 1)}, {true, u"\n\n"}, {true, u"\r\r\n"}}}, 2)},
    {"timeout-on-top",
     [] {
         DialogDefinition def = dialog(u"再起動", u"5 分後に再起動します。\r\n作業を保存してください。",
                                       IconKind::Exclamation, ButtonSet::OkCancel, true, true,
                                       {{{true, u"再起動します"}, {true, u"取り消しました"}, {true, u"-"}}}, 1);
         def.options = {300, {true, u"時間切れ：再起動します"}, true};
         return def;
     }()},
    {"timeout-slot-off",
     [] {
         DialogDefinition def = dialog(u"T", u"\"quoted\"", IconKind::Question, ButtonSet::YesNo, false, true, {}, 0);
         def.options = {1, {false, u"not shown"}, false};
         return def;
     }()},
    {"timeout-alone",
     [] {
         DialogDefinition def = dialog(u"T", u"b", IconKind::Information, ButtonSet::AbortRetryIgnore, false, false);
         def.options = {86400, {true, u"x"}, false};
         return def;
     }()},
    {"on-top-alone",
     [] {
         DialogDefinition def = dialog(u"T", u"b", IconKind::Critical, ButtonSet::RetryCancel, false, true);
         def.options.stayOnTop = true;
         return def;
     }()},
};

// What MsgBox (and Popup) must receive, from the definition alone.
std::vector<EngineRun> expectedRuns(const DialogDefinition& def) {
    const ButtonSetRow& buttons = buttonSetRow(def.buttons);
    const int boxStyle = iconRow(def.icon).style + (def.rightAligned ? kRightAlignStyle : 0) +
                         (def.options.stayOnTop ? msgbox::SystemModal : 0);
    const EngineBox first{buttons.style + boxStyle + defaultButtonStyle(def.defaultButton), def.body, def.title,
                          def.options.timeoutSeconds};
    if (!def.continuation) {
        return {{1, {first}, 0}};
    }
    std::vector<EngineRun> runs;
    for (std::size_t slot = 0; slot < 3; ++slot) {
        EngineRun run{buttons.returnCodes[slot], {first}, 0};
        if (def.followUps[slot].enabled) {
            run.boxes.push_back({boxStyle, def.followUps[slot].text, def.title});
        }
        runs.push_back(run);
    }
    // The time running out: Popup's -1, and the timeout's follow-up.
    if (def.options.timeoutSeconds > 0) {
        EngineRun run{msgbox::ResultTimedOut, {first}, 0};
        if (def.options.onTimeout.enabled) {
            run.boxes.push_back({boxStyle, def.options.onTimeout.text, def.title});
        }
        runs.push_back(run);
    }
    return runs;
}

TEST(VbsEngineFeed, WritesEveryCaseWithItsReport) {
    const std::filesystem::path folder = scriptCheckFolder("BOXWRIGHT_VBS_OUT");
    if (folder.empty()) {
        GTEST_SKIP() << "BOXWRIGHT_VBS_OUT is not set: the VBScript engine check is off";
    }
    const auto store = makeSystemFileStore();
    for (const FeedCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path script = folder / (std::string(c.name) + ".vbs");
        const FileResult written = writeLines(*store, script.u16string(), vbsLines(c.def, windowStateFor(c.def)));
        ASSERT_TRUE(written.ok);
        writeBytes(script.string() + ".expected", engineReport(expectedRuns(c.def)));
        // The page's script, as a browser hands it to the engine: the lines
        // between the element's opening and closing lines. A page waits in
        // MsgBox whatever the timeout.
        std::vector<std::u16string> page = htmlLines(c.def, windowStateFor(c.def));
        const std::filesystem::path pageScript = folder / (std::string(c.name) + "-htm.vbs");
        ASSERT_TRUE(writeLines(*store, pageScript.u16string(), {page.begin() + 1, page.end() - 1}).ok);
        DialogDefinition waits = c.def;
        waits.options.timeoutSeconds = 0;
        writeBytes(pageScript.string() + ".expected", engineReport(expectedRuns(waits)));
    }
    // For the run under Wine's own WScript.Shell (real-popup.sh): a box that
    // waits a second, in front, with its timeout's follow-up.
    DialogDefinition timed = dialog(u"Restart", u"Save your work.", IconKind::Exclamation, ButtonSet::YesNo, false,
                                    true, {{{true, u"yes"}, {true, u"no"}, {true, u"-"}}});
    timed.options = {1, {true, u"timed out"}, true};
    std::filesystem::create_directories(folder / "real-popup");
    const std::filesystem::path real = folder / "real-popup" / "timeout.vbs";
    ASSERT_TRUE(writeLines(*store, real.u16string(), vbsLines(timed, windowStateFor(timed))).ok);
    writeBytes(real.string() + ".expected", engineReport(expectedRuns(timed)));
}

}  // namespace
}  // namespace bw::test
