#include "TestText.h"
#include "doubles/MemoryEditor.h"
#include "model/DialogTables.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(DialogRules, StartStateSelectsWarningAndOkOnly) {
    MemoryEditor editor;
    editor.load();
    EXPECT_EQ(editor.iconOption, 0);
    EXPECT_EQ(editor.buttonOption, 5);
    EXPECT_EQ(editor.windowState.iconValue, u"16");
    EXPECT_EQ(editor.windowState.buttonValue, u"0");
    EXPECT_EQ(editor.windowState.returnCode, (std::array<std::u16string, 3>{u"1", u"2", u"3"}));
    EXPECT_EQ(editor.checks[2], 1);
    EXPECT_EQ(editor.checks[3], 1);
    EXPECT_EQ(editor.checks[4], 1);
    EXPECT_EQ(editor.slotTextEnabled, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(editor.frameVisible, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(editor.captions, (std::array<std::u16string, 3>{u"OKを押したとき", u"チェック1", u"チェック2"}));
    EXPECT_EQ(editor.windowState.savedSnapshot, initialSnapshot());
    EXPECT_FALSE(editor.wide);
    EXPECT_EQ(editor.checks[0], 0);
    EXPECT_EQ(editor.checks[1], 0);
}

struct ButtonSetCase {
    int option;
    const char16_t* buttonValue;
    std::array<std::u16string, 3> codes;
    std::array<bool, 3> visible;
    std::array<std::u16string, 3> captionsAfterAbortRetryIgnore;
};

class ButtonSetRule : public ::testing::TestWithParam<ButtonSetCase> {};

// Each set applied after Abort/Retry/Ignore, whose three captions show which
// captions a set leaves as they were.
TEST_P(ButtonSetRule, AppliesTheSetsRow) {
    const ButtonSetCase& c = GetParam();
    MemoryEditor editor;
    editor.load();
    editor.texts[4] = u"slot 1 text";
    editor.selectButtonOption(7);
    editor.setCheckValue(CheckBoxId::Check6, 0);
    editor.setCheckValue(CheckBoxId::Check7, 0);
    editor.selectButtonOption(c.option);

    EXPECT_EQ(editor.windowState.buttonValue, c.buttonValue);
    EXPECT_EQ(editor.windowState.returnCode, c.codes);
    EXPECT_EQ(editor.frameVisible, c.visible);
    EXPECT_EQ(editor.captions, c.captionsAfterAbortRetryIgnore);
    EXPECT_EQ((std::array<int, 3>{editor.checks[2], editor.checks[3], editor.checks[4]}),
              (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(editor.slotTextEnabled, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(editor.texts[4], u"slot 1 text");
}

INSTANTIATE_TEST_SUITE_P(
    AllSets, ButtonSetRule,
    ::testing::Values(
        ButtonSetCase{5, u"0", {u"1", u"2", u"3"}, {true, false, false},
                      {u"OKを押したとき", u"再試行を押したとき", u"無視を押したとき"}},
        ButtonSetCase{6, u"1", {u"1", u"2", u"3"}, {true, true, false},
                      {u"OKを押したとき", u"キャンセルを押したとき", u"無視を押したとき"}},
        ButtonSetCase{7, u"2", {u"3", u"4", u"5"}, {true, true, true},
                      {u"中止を押したとき", u"再試行を押したとき", u"無視を押したとき"}},
        ButtonSetCase{8, u"3", {u"6", u"7", u"2"}, {true, true, true},
                      {u"はいを押したとき", u"いいえを押したとき", u"キャンセルを押したとき"}},
        ButtonSetCase{9, u"4", {u"6", u"7", u"2"}, {true, true, false},
                      {u"はいを押したとき", u"いいえを押したとき", u"無視を押したとき"}},
        ButtonSetCase{10, u"5", {u"4", u"2", u"1"}, {true, true, false},
                      {u"再試行を押したとき", u"キャンセルを押したとき", u"無視を押したとき"}}));

TEST(DialogRules, ButtonSetChecksSlotsInTheOrderSixSevenFive) {
    MemoryEditor editor;
    editor.load();
    for (const auto id : {CheckBoxId::Check5, CheckBoxId::Check6, CheckBoxId::Check7}) {
        editor.setCheckValue(id, 0);
    }
    editor.events.clear();
    editor.selectButtonOption(8);
    EXPECT_EQ(editor.events, (std::vector<std::string>{"buttons8", "check3=1", "check4=1", "check2=1"}));
}

TEST(DialogRules, UncheckedSlotDisablesItsTextAndKeepsIt) {
    MemoryEditor editor;
    editor.load();
    editor.texts[3] = u"keep me";
    editor.setCheckValue(CheckBoxId::Check5, 0);
    EXPECT_FALSE(editor.slotTextEnabled[0]);
    EXPECT_EQ(editor.texts[3], u"keep me");
    editor.setCheckValue(CheckBoxId::Check5, 1);
    EXPECT_TRUE(editor.slotTextEnabled[0]);
}

TEST(DialogRules, IndicesOutsideTheGroupsDoNothing) {
    MemoryEditor editor;
    editor.load();
    editor.selectIconOption(2);
    applyIconRule(editor, 4);
    applyIconRule(editor, 5);
    EXPECT_EQ(editor.windowState.iconValue, u"48");
    applyButtonSetRule(editor, 4);
    applyButtonSetRule(editor, 11);
    applyButtonSetRule(editor, 0);
    EXPECT_EQ(editor.windowState.buttonValue, u"0");
}

TEST(DialogRules, IconRuleSetsTheStyleValue) {
    MemoryEditor editor;
    editor.load();
    const std::array<std::u16string, 4> expected = {u"16", u"32", u"48", u"64"};
    for (int index = 0; index < 4; ++index) {
        editor.selectIconOption(index);
        EXPECT_EQ(editor.windowState.iconValue, expected[static_cast<std::size_t>(index)]);
    }
}

TEST(DialogRules, NewEmptiesEveryTextAndKeepsTheSnapshot) {
    MemoryEditor editor;
    editor.load();
    editor.texts = {u"body", u"title", u"work", u"a", u"b", u"c"};
    editor.setCheckValue(CheckBoxId::Check1, 1);
    editor.setCheckValue(CheckBoxId::Check3, 1);
    editor.selectIconOption(3);
    editor.selectButtonOption(8);
    editor.windowState.savedSnapshot.title = u"saved";
    applyNew(editor);
    EXPECT_EQ(editor.texts, (std::array<std::u16string, 6>{}));
    EXPECT_EQ(editor.checks[0], 0);
    EXPECT_EQ(editor.checks[1], 0);
    EXPECT_FALSE(editor.wide);
    EXPECT_EQ(editor.iconOption, 0);
    EXPECT_EQ(editor.buttonOption, 5);
    EXPECT_EQ(editor.windowState.iconValue, u"16");
    EXPECT_EQ(editor.windowState.savedSnapshot.title, u"saved");
    EXPECT_NE(currentTexts(editor), editor.windowState.savedSnapshot);
}

TEST(DialogRules, ReadDefinitionTakesEveryFieldFromTheControls) {
    MemoryEditor editor;
    editor.load();
    editor.texts = {u"b", u"t", u"", u"f0", u"f1", u"f2"};
    editor.selectIconOption(1);
    editor.selectButtonOption(9);
    editor.setCheckValue(CheckBoxId::Check3, 1);
    editor.setCheckValue(CheckBoxId::Check1, 1);
    editor.setCheckValue(CheckBoxId::Check6, 0);
    const DialogDefinition def = readDefinition(editor);
    DialogDefinition expected;
    expected.title = u"t";
    expected.body = u"b";
    expected.icon = IconKind::Question;
    expected.buttons = ButtonSet::YesNo;
    expected.rightAligned = true;
    expected.continuation = true;
    expected.followUps = {{{true, u"f0"}, {false, u"f1"}, {true, u"f2"}}};
    EXPECT_EQ(def, expected);
}

TEST(DialogTables, StyleLookupsMatchOptionLookups) {
    for (const auto& row : buttonSetTable()) {
        EXPECT_EQ(row.optionIndex, row.style + 5);
        EXPECT_EQ(buttonSetRowForStyle(row.style)->set, row.set);
    }
    for (const auto& row : iconTable()) {
        EXPECT_EQ(iconRowForStyle(row.style)->kind, row.kind);
    }
    EXPECT_FALSE(iconRowForStyle(0));
    EXPECT_FALSE(buttonSetRowForStyle(6));
}

}  // namespace
}  // namespace bw::test
