#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "commands/EditorCommands.h"
#include "model/MessageBoxStyle.h"
#include "platform/posix/PosixFileStore.h"
#include "codec/ScriptWriter.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

// Choosing a default, then another button set: the choice stays where the new
// set has that button and falls back to the first where it does not.
struct SetChangeCase {
    int firstSet;
    int position;
    int nextSet;
    int expected;
    int choices;
};

class DefaultButtonRule : public ::testing::TestWithParam<SetChangeCase> {};

TEST_P(DefaultButtonRule, FollowsTheButtonSet) {
    const SetChangeCase& c = GetParam();
    MemoryEditor editor;
    editor.load();
    editor.selectButtonOption(c.firstSet);
    editor.setDefaultButton(c.position);
    editor.selectButtonOption(c.nextSet);
    EXPECT_EQ(editor.defaultPosition, c.expected);
    EXPECT_EQ(editor.defaultChoices, c.choices);
    applyNew(editor);
    EXPECT_EQ(editor.defaultPosition, 0);
}

INSTANTIATE_TEST_SUITE_P(Sets, DefaultButtonRule,
                         ::testing::Values(SetChangeCase{8, 2, 9, 0, 2}, SetChangeCase{8, 1, 9, 1, 2},
                                           SetChangeCase{7, 2, 8, 2, 3}, SetChangeCase{9, 1, 5, 0, 1},
                                           SetChangeCase{6, 1, 10, 1, 2}));

DialogDefinition yesNoCancel(int position) {
    DialogDefinition def;
    def.title = u"+ vbDefaultButton3";
    def.body = u"b";
    def.buttons = ButtonSet::YesNoCancel;
    def.rightAligned = true;
    def.continuation = true;
    def.defaultButton = position;
    return def;
}

TEST(DefaultButton, WrittenOnLineOneOnlyAndReadBack) {
    const std::array<std::u16string, 3> suffixes = {u"", u" + vbDefaultButton2", u" + vbDefaultButton3"};
    for (int position = 0; position < 3; ++position) {
        const DialogDefinition def = yesNoCancel(position);
        const auto lines = vbsLines(def, stateFor(def));
        EXPECT_EQ(lines[0], u"selectkey = MsgBox(\"b\", 3 + 16 + vbMsgBoxRight" +
                                suffixes[static_cast<std::size_t>(position)] + u", \"+ vbDefaultButton3\")");
        EXPECT_EQ(lines[3], u"SelectKey = MsgBox(\"本文\", 0 + 16 + vbMsgBoxRight, \"+ vbDefaultButton3\")");
        EXPECT_EQ(htmlLines(def, stateFor(def))[1], lines[0]);

        ReaderHarness h;
        h.editSomethingElse();
        h.editor.setDefaultButton(1);
        h.readLines(lines);
        EXPECT_EQ(readBackFailures(h, def, lines), "");
        EXPECT_EQ(h.editor.defaultPosition, position);
    }
}

TEST(DefaultButton, AButtonTheSetLacksMeansTheFirst) {
    ReaderHarness h;
    h.editor.setDefaultButton(1);
    h.readLines({u"selectkey = MsgBox(\"b\", 4 + 16 + vbDefaultButton3, \"t\")"});
    EXPECT_EQ(h.editor.defaultPosition, 0);
}

TEST(DefaultButton, PreviewPassesItToTheDialogButNotTheFollowUp) {
    MemoryEditor editor;
    editor.load();
    editor.selectButtonOption(8);
    editor.setDefaultButton(2);
    editor.setCheckValue(CheckBoxId::Check1, 1);
    RecordingMessageBox messages;
    messages.answers = {msgbox::ResultYes};
    runPreview(editor, messages);
    ASSERT_EQ(messages.calls.size(), 2u);
    EXPECT_EQ(messages.calls[0].style, 3 + 16 + msgbox::DefaultButton3);
    EXPECT_EQ(messages.calls[1].style, 16);
    EXPECT_EQ(editor.label1, u"19");
}

}  // namespace
}  // namespace bw::test
