#include "TestText.h"
#include "WorkedExample.h"
#include "codec/ScriptWriter.h"
#include "model/EditorRules.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

struct WorkedExample {
    DialogDefinition def = workedExample();
    WindowState state = workedExampleState();
};

TEST(ScriptWriter, WorkedExampleWithFollowUps) {
    const WorkedExample example;
    EXPECT_EQ(vbsLines(example.def, example.state), kWorkedExampleLines);
}

TEST(ScriptWriter, WorkedExampleOneLineRightAligned) {
    WorkedExample example;
    example.def.continuation = false;
    example.def.rightAligned = true;
    example.state.rightSuffix = u" + vbMsgBoxRight";
    EXPECT_EQ(vbsLines(example.def, example.state),
              std::vector<std::u16string>{
                  u"selectkey = MsgBox(\"Save the file?\"&vbCrLf&\"It will be \"&Chr(34)&\"final\"&Chr(34)&\".\", "
                  u"3 + 32 + vbMsgBoxRight, \"Question\")"});
}

TEST(ScriptWriter, InitialDefinitionIsOneLineOfEmptyQuotes) {
    EXPECT_EQ(vbsLines(DialogDefinition{}, WindowState{}),
              std::vector<std::u16string>{u"selectkey = MsgBox(\"\", 0 + 16, \"\")"});
}

TEST(ScriptWriter, InitialDefinitionWithContinuationWritesAllThreeCases) {
    DialogDefinition def;
    def.continuation = true;
    EXPECT_EQ(vbsLines(def, WindowState{}),
              (std::vector<std::u16string>{u"selectkey = MsgBox(\"\", 0 + 16, \"\")", u"Select Case SelectKey",
                                           u"Case 1", u"SelectKey = MsgBox(\"本文\", 0 + 16, \"\")", u"Case 2",
                                           u"SelectKey = MsgBox(\"本文\", 0 + 16, \"\")", u"Case 3",
                                           u"SelectKey = MsgBox(\"本文\", 0 + 16, \"\")", u"End Select"}));
}

TEST(ScriptWriter, FollowUpsCarryTheTitleAndAlignmentAndEscapeTheirTexts) {
    DialogDefinition def;
    def.continuation = true;
    def.title = u"T\"\r\n";
    def.body = u"ends with a break\r\n";
    def.followUps = {{{true, u"a\r\n\"b\""}, {false, u""}, {true, u"\r"}}};
    WindowState state;
    state.rightSuffix = u" + vbMsgBoxRight";
    const auto lines = vbsLines(def, state);
    ASSERT_EQ(lines.size(), 9u);
    // A title's line break (it can only come from an opened file) is escaped
    // like the body's, so no text breaks the script's lines.
    const std::u16string title = u"\"T\"&Chr(34)&\"\"&vbCrLf&\"\")";
    EXPECT_EQ(lines[0], u"selectkey = MsgBox(\"ends with a break\"&vbCrLf&\"\", 0 + 16 + vbMsgBoxRight, " + title);
    EXPECT_EQ(lines[3],
              u"SelectKey = MsgBox(\"a\"&vbCrLf&\"\"&Chr(34)&\"b\"&Chr(34)&\"\", 0 + 16 + vbMsgBoxRight, " + title);
    EXPECT_EQ(lines[5], u"'SelectKey = MsgBox(\"\", 0 + 16 + vbMsgBoxRight, " + title);
    EXPECT_EQ(lines[7], u"SelectKey = MsgBox(\"\"&vbCr&\"\", 0 + 16 + vbMsgBoxRight, " + title);
}

TEST(HtmlWriter, WrapsTheScriptInAScriptElement) {
    const WorkedExample example;
    auto expected = kWorkedExampleLines;
    expected.insert(expected.begin(), u"<script language= VBScript><!--");
    expected.push_back(u"--></script> ");
    EXPECT_EQ(htmlLines(example.def, example.state), expected);

    WorkedExample oneLine;
    oneLine.def.continuation = false;
    EXPECT_EQ(htmlLines(oneLine.def, oneLine.state).size(), 3u);
}

// A page's script element ends at "</script" in any case, also inside a
// string: there the page writes the "<" as "&Chr(60)&", and the .vbs does not.
TEST(ScriptWriter, HtmlKeepsItsScriptElementOpen) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"x</script>y", u"x\"&Chr(60)&\"/script>y"},
        {u"</SCRIPT </Script/", u"\"&Chr(60)&\"/SCRIPT \"&Chr(60)&\"/Script/"},
        {u"<</scrip </b> a<b", u"<</scrip </b> a<b"},
    };
    for (const auto& [body, written] : cases) {
        DialogDefinition def;
        def.body = body;
        const WindowState state = windowStateFor(def);
        EXPECT_EQ(htmlLines(def, state)[1], u"selectkey = MsgBox(\"" + written + u"\", 0 + 16, \"\")");
        EXPECT_EQ(vbsLines(def, state)[0], u"selectkey = MsgBox(\"" + body + u"\", 0 + 16, \"\")");
    }
}

}  // namespace
}  // namespace bw::test
