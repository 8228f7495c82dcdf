// The timeout, its follow-up and stay-on-top: how each format writes them,
// that VBScript and PowerShell files read them back, and the preview.
#include "DefinitionGenerator.h"
#include "RoundTripCheck.h"
#include "codec/Ps1Reader.h"
#include "codec/ScriptCodec.h"
#include "codec/ScriptWriter.h"
#include "codec/VbsReader.h"
#include "commands/EditorCommands.h"
#include "core/WorkedExample.h"
#include "doubles/RecordingMessageBox.h"
#include "model/EditorRules.h"
#include "model/HeadlessEditor.h"
#include "model/MessageBoxStyle.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

// The worked example, closing after 30 seconds, in front of other windows.
DialogDefinition timedExample() {
    DialogDefinition def = workedExample();
    def.options = {30, {true, u"時間切れです。"}, true};
    return def;
}

std::vector<std::u16string> lines(ScriptFormat format, const DialogDefinition& def) {
    return scriptLines(format, def, windowStateFor(def));
}

TEST(BoxOptions, VbsShowsTheFirstBoxWithPopupAndBranchesOnMinusOne) {
    EXPECT_EQ(lines(ScriptFormat::Vbs, timedExample()),
              (std::vector<std::u16string>{
                  u"selectkey = CreateObject(\"WScript.Shell\").Popup(\"Save the file?\"&vbCrLf&\"It will be "
                  u"\"&Chr(34)&\"final\"&Chr(34)&\".\", 30, \"Question\", 3 + 32 + vbSystemModal)",
                  u"Select Case SelectKey",
                  u"Case 6",
                  u"SelectKey = MsgBox(\"Saved.\", 0 + 32 + vbSystemModal, \"Question\")",
                  u"Case 7",
                  u"SelectKey = MsgBox(\"Not saved.\", 0 + 32 + vbSystemModal, \"Question\")",
                  u"Case 2",
                  u"'SelectKey = MsgBox(\"本文\", 0 + 32 + vbSystemModal, \"Question\")",
                  u"Case -1",
                  u"SelectKey = MsgBox(\"時間切れです。\", 0 + 32 + vbSystemModal, \"Question\")",
                  u"End Select",
              }));
}

// Each option alone changes only what it needs; none changes nothing.
TEST(BoxOptions, EachOptionChangesOnlyItsOwnPart) {
    DialogDefinition def = workedExample();
    def.rightAligned = true;
    def.defaultButton = 1;
    const auto plain = lines(ScriptFormat::Vbs, def);
    def.options.onTimeout = {false, u"unused"};  // no timeout: its follow-up is not written
    EXPECT_EQ(lines(ScriptFormat::Vbs, def), plain);
    EXPECT_EQ(lines(ScriptFormat::Ps1, def), lines(ScriptFormat::Ps1, workedExample() = def));

    def.options.stayOnTop = true;
    const auto onTop = lines(ScriptFormat::Vbs, def);
    EXPECT_EQ(onTop[0],
              u"selectkey = MsgBox(\"Save the file?\"&vbCrLf&\"It will be \"&Chr(34)&\"final\"&Chr(34)&\".\", "
              u"3 + 32 + vbMsgBoxRight + vbDefaultButton2 + vbSystemModal, \"Question\")");
    EXPECT_EQ(onTop.size(), plain.size());

    def.options = {5, {false, u"gone"}, false};
    const auto timed = lines(ScriptFormat::Vbs, def);
    EXPECT_EQ(timed.size(), plain.size() + 2);
    EXPECT_EQ(timed[9], u"'SelectKey = MsgBox(\"gone\", 0 + 32 + vbMsgBoxRight, \"Question\")");
}

// A page cannot make WScript.Shell: it waits in MsgBox, and says why.
TEST(BoxOptions, ThePageWaitsAndSaysWhy) {
    const DialogDefinition def = timedExample();
    DialogDefinition untimed = def;
    untimed.options.timeoutSeconds = 0;
    std::vector<std::u16string> expected = lines(ScriptFormat::Html, untimed);
    expected.insert(expected.begin() + 1, std::u16string(kHtmlNoTimeoutNote));
    EXPECT_EQ(lines(ScriptFormat::Html, def), expected);
    for (const std::u16string& line : expected) {
        EXPECT_EQ(line.find(u"CreateObject"), std::u16string::npos);
    }
}

TEST(BoxOptions, PowerShellTimesTheBoxWithAnOwnerAndATimer) {
    const std::vector<std::u16string> ps1 = lines(ScriptFormat::Ps1, timedExample());
    const std::vector<std::u16string> expectedStart = {
        u"$options = [System.Enum]::ToObject([System.Windows.Forms.MessageBoxOptions], 4096)",
        u"$timedOut = $false",
        u"$owner = New-Object System.Windows.Forms.Form",
        u"$timer = New-Object System.Windows.Forms.Timer",
        u"$timer.Interval = 30000",
        u"$timer.add_Tick({ $script:timedOut = $true; $timer.Stop(); $owner.Dispose() })",
        u"$timer.Start()",
    };
    ASSERT_GT(ps1.size(), 20u);
    EXPECT_EQ(std::vector<std::u16string>(ps1.begin() + 3, ps1.begin() + 10), expectedStart);
    EXPECT_TRUE(ps1[10].starts_with(u"$answer = [System.Windows.Forms.MessageBox]::Show($owner, 'Save the file?'"));
    EXPECT_TRUE(ps1[10].ends_with(u"[System.Windows.Forms.MessageBoxDefaultButton]::Button1, $options)"));
    EXPECT_EQ(ps1[11], u"$timer.Dispose()");
    EXPECT_EQ(ps1[12], u"$owner.Dispose()");
    EXPECT_EQ(ps1[13], u"if ($timedOut) { $answer = -1 }");
    EXPECT_EQ(ps1[ps1.size() - 4], u"    -1 {");

    // With right alignment the options hold its flag too.
    DialogDefinition right = timedExample();
    right.rightAligned = true;
    EXPECT_EQ(lines(ScriptFormat::Ps1, right)[3],
              u"$options = [System.Enum]::ToObject([System.Windows.Forms.MessageBoxOptions], 528384)");
}

// Random definitions with and without the options come back whole from both
// formats that are read; the timeout's follow-up only where it is written.
TEST(BoxOptions, ComeBackWholeFromVbsAndPowerShell) {
    DefinitionGenerator generator(24, true);
    for (int i = 0; i < 600; ++i) {
        DialogDefinition def = generator.next();
        SCOPED_TRACE(describe(def) + " timeout=" + std::to_string(def.options.timeoutSeconds) +
                     " onTop=" + std::to_string(def.options.stayOnTop));
        DialogDefinition expected = def;
        if (!def.continuation) {
            expected.followUps = {};
        }
        if (!def.continuation || def.options.timeoutSeconds == 0) {
            expected.options.onTimeout = {};
        }
        const auto vbs =
            standaloneDefinition(decodeVbsScript(encodeScript(ScriptFormat::Vbs, def, windowStateFor(def))));
        ASSERT_TRUE(vbs);
        // VBScript literals hold no lone CR or LF: the writer's line breaks are CR LF.
        if (def.body.find_first_of(u"\r\n") == std::u16string::npos &&
            def.title.find_first_of(u"\r\n") == std::u16string::npos) {
            EXPECT_EQ(vbs->options, expected.options);
            EXPECT_EQ(vbs->body, expected.body);
        }
        EXPECT_EQ(vbs->options.timeoutSeconds, expected.options.timeoutSeconds);
        EXPECT_EQ(vbs->options.stayOnTop, expected.options.stayOnTop);
        EXPECT_EQ(vbs->rightAligned, expected.rightAligned);
        EXPECT_EQ(vbs->defaultButton, expected.defaultButton);

        const Ps1Parse ps1 = decodePs1Script(encodeScript(ScriptFormat::Ps1, def, windowStateFor(def)));
        ASSERT_TRUE(ps1.ok) << ps1.errorLine << ": " << utf8(std::u16string(ps1.reason));
        const auto fromPs1 = standaloneDefinition(ps1.contents);
        ASSERT_TRUE(fromPs1);
        EXPECT_EQ(*fromPs1, expected);
    }
}

// A hand-edited Popup line: seconds too long to be a timeout leave the line
// outside the format (nothing is read from it, and nothing overflows),
// and a timed file without the "Case -1" branch shows no box when the time
// runs out (its slot reads as off).
TEST(BoxOptions, HandEditedTimedFilesReadAsTheyRun) {
    const ScriptContents tooLong = decodeVbsScript(
        "selectkey = CreateObject(\"WScript.Shell\").Popup(\"a\", 99999999999999999999, \"t\", 0 + 16)\r\n");
    EXPECT_EQ(tooLong.timeoutSeconds, 0);
    EXPECT_FALSE(tooLong.body);

    const DialogDefinition def = timedExample();
    std::vector<std::u16string> noBranch = lines(ScriptFormat::Vbs, def);
    noBranch.erase(noBranch.end() - 3, noBranch.end() - 1);  // "Case -1" and its box
    const auto read = standaloneDefinition(parseVbsScript(noBranch));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->options.timeoutSeconds, 30);
    EXPECT_EQ(read->options.onTimeout, (FollowUp{false, u""}));
}

// What a file says about the options replaces what the editor held; a file
// without them takes them away.
TEST(BoxOptions, AnOpenedFileSetsTheEditorsOptions) {
    HeadlessEditor editor;
    editor.load();
    const DialogDefinition def = timedExample();
    applyScriptContents(editor, decodeVbsScript(encodeScript(ScriptFormat::Vbs, def, windowStateFor(def))));
    EXPECT_EQ(editor.boxOptions(), def.options);
    EXPECT_EQ(readDefinition(editor), def);
    applyScriptContents(
        editor, decodeVbsScript(encodeScript(ScriptFormat::Vbs, workedExample(), windowStateFor(workedExample()))));
    EXPECT_EQ(editor.boxOptions().timeoutSeconds, 0);
    EXPECT_FALSE(editor.boxOptions().stayOnTop);
    EXPECT_EQ(editor.boxOptions().onTimeout, def.options.onTimeout);  // kept for the next timeout
}

// A PowerShell file whose option lines are not the writer's is refused, with
// the line named.
TEST(BoxOptions, PowerShellOptionLinesOutsideTheFormatAreRefused) {
    const std::vector<std::u16string> good = lines(ScriptFormat::Ps1, timedExample());
    const struct {
        const char* name;
        std::size_t line;  // 0-based, replaced
        std::u16string text;
    } cases[] = {
        {"another options value", 3,
         u"$options = [System.Enum]::ToObject([System.Windows.Forms.MessageBoxOptions], 16)"},
        {"an interval in part seconds", 7, u"$timer.Interval = 1500"},
        {"an interval over a day", 7, u"$timer.Interval = 86401000"},
        {"a tick of its own", 8, u"$timer.add_Tick({ Stop-Computer })"},
        {"the timer left running", 11, u"# gone"},
        {"no flag check", 13, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::u16string> edited = good;
        edited[c.line] = c.text;
        const Ps1Parse parsed = parsePs1Script(edited);
        EXPECT_FALSE(parsed.ok);
        EXPECT_FALSE(parsed.reason.empty());
    }
    const Ps1Parse parsed = parsePs1Script(good);
    EXPECT_TRUE(parsed.ok) << parsed.errorLine << ": " << utf8(std::u16string(parsed.reason));
}

// The preview times the first box and shows the timeout's follow-up when the
// time ran out; stay-on-top is a flag of every box's style.
TEST(BoxOptions, PreviewTimesTheBoxAndKeepsItInFront) {
    const struct {
        const char* name;
        bool enabled;
        int answer;
        std::vector<std::u16string> prompts;
    } cases[] = {
        {"time ran out", true, msgbox::ResultTimedOut, {kWorkedBody, u"時間切れです。"}},
        {"time ran out, slot off", false, msgbox::ResultTimedOut, {kWorkedBody}},
        {"answered yes", true, msgbox::ResultYes, {kWorkedBody, u"Saved."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessEditor editor;
        editor.load();
        DialogDefinition def = timedExample();
        def.options.onTimeout.enabled = c.enabled;
        applyScriptContents(editor, decodeVbsScript(encodeScript(ScriptFormat::Vbs, def, windowStateFor(def))));
        RecordingMessageBox messages;
        messages.answers = {c.answer};
        runPreview(editor, messages);
        ASSERT_EQ(messages.calls.size(), c.prompts.size());
        EXPECT_EQ(messages.calls[0].seconds, 30);
        for (std::size_t i = 0; i < c.prompts.size(); ++i) {
            EXPECT_EQ(messages.calls[i].prompt, c.prompts[i]);
            EXPECT_EQ(messages.calls[i].style & msgbox::SystemModal, msgbox::SystemModal);
        }
    }
}

}  // namespace
}  // namespace bw::test
