#include "ReaderHarness.h"
#include "commands/ScriptRefusal.h"
#include "core/TestText.h"
#include "core/WorkedExample.h"
#include "model/MessageBoxStyle.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace bw::test {
namespace {

class VbsReaderTest : public ::testing::Test, protected ReaderHarness {};

TEST_F(VbsReaderTest, AsksForAScriptWithTheOpenDialog) {
    readLines(kWorkedExampleLines);
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_FALSE(dialog.calls[0].save);
    EXPECT_EQ(dialog.calls[0].fileName, u"");
    EXPECT_EQ(dialog.calls[0].filter, u"VisualBasicScriptFile(*.vbs)|*.vbs");
    EXPECT_EQ(files.reads, 1u);
}

TEST_F(VbsReaderTest, CancelChangesNothing) {
    editSomethingElse();
    const std::string before = dump(editor);
    dialog.answers.push_back(std::nullopt);
    EXPECT_EQ(readScript(editor, dialog, files, messages), ReadOutcome::Cancelled);
    EXPECT_EQ(dump(editor), before);
    EXPECT_TRUE(editor.events.empty());
    EXPECT_EQ(files.reads, 0u);
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(VbsReaderTest, ReadsWhateverPathTheDialogGives) {
    files.files[u"/folder/dialog.vbs"] = ByteFileStore::joinLines(kWorkedExampleLines);
    dialog.answers.push_back(u"/folder/dialog.vbs");
    EXPECT_EQ(readScript(editor, dialog, files, messages), ReadOutcome::Read);
    EXPECT_EQ(editor.texts[0], kWorkedBody);

    dialog.answers.push_back(u"Dialog.vbs");
    EXPECT_EQ(readScript(editor, dialog, files, messages), ReadOutcome::Failed);
    EXPECT_EQ(files.reads, 2u);
}

TEST_F(VbsReaderTest, ReadsTheWorkedExampleWhileAnotherDefinitionIsShown) {
    editSomethingElse();
    EXPECT_EQ(readLines(kWorkedExampleLines), ReadOutcome::Read);
    EXPECT_EQ(editor.texts[0], kWorkedBody);
    EXPECT_EQ(editor.texts[1], u"Question");
    EXPECT_EQ(editor.iconOption, 1);
    EXPECT_EQ(editor.buttonOption, 8);
    EXPECT_EQ(editor.checks, (std::array<int, 5>{1, 0, 1, 1, 0}));  // Check1, Check3, Check5, Check6, Check7
    EXPECT_EQ(editor.texts[3], u"Saved.");
    EXPECT_EQ(editor.texts[4], u"Not saved.");
    EXPECT_EQ(editor.texts[5], u"本文");
    EXPECT_EQ(editor.slotTextEnabled, (std::array<bool, 3>{true, true, false}));
    EXPECT_TRUE(editor.wide);
    EXPECT_EQ(editor.windowState.iconValue, u"32");
    EXPECT_EQ(editor.windowState.buttonValue, u"3");
    EXPECT_EQ(editor.windowState.returnCode, (std::array<std::u16string, 3>{u"6", u"7", u"2"}));
    EXPECT_EQ(editor.windowState.savedSnapshot,
              (SavedSnapshot{kWorkedBody, u"Question", {u"Saved.", u"Not saved.", u"本文"}}));
    EXPECT_TRUE(messages.calls.empty());
}

TEST_F(VbsReaderTest, StepsRunInOrderWithTheirReactions) {
    editSomethingElse();  // Check3 and Check1 checked, Check6 unchecked, RetryCancel and Information selected
    readLines(kWorkedExampleLines);
    const std::vector<std::string> expected = {
        checkEvent(CheckBoxId::Check3, 0),  // no marker: alignment follows the file
        "Text1",
        "Text2",
        "buttons8",  // the button-set rule checks Check6 again
        checkEvent(CheckBoxId::Check6, 1),
        "icon1",
        checkEvent(CheckBoxId::Check1, 0),
        checkEvent(CheckBoxId::Check1, 1),  // line 2 opens the follow-ups
        "Text4",
        "Text5",
        checkEvent(CheckBoxId::Check7, 0),  // slot 2 is commented out
        "Text6",
        "Text3",  // the last line loaded
    };
    EXPECT_EQ(editor.events, expected);
}

TEST_F(VbsReaderTest, OneLineFileLeavesTheFollowUpsAsTheyAre) {
    editSomethingElse();
    readLines({u"selectkey = MsgBox(\"Body\", 4 + 48 + vbMsgBoxRight, \"Title\")"});
    EXPECT_EQ(editor.texts[0], u"Body");
    EXPECT_EQ(editor.texts[1], u"Title");
    EXPECT_EQ(editor.buttonOption, 9);
    EXPECT_EQ(editor.iconOption, 2);
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check3)], 1);
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check1)], 0);
    EXPECT_FALSE(editor.wide);
    EXPECT_EQ(editor.texts[3], u"earlier slot 0");
    EXPECT_EQ(editor.texts[4], u"earlier slot 1");
    EXPECT_EQ(editor.texts[5], u"earlier slot 2");
    // The follow-up boxes are as the button-set choice left them: all checked.
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check5)], 1);
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check6)], 1);
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check7)], 1);
    EXPECT_EQ(editor.windowState.savedSnapshot,
              (SavedSnapshot{u"Body", u"Title", {u"snap slot 0", u"snap slot 1", u"snap slot 2"}}));
}

TEST_F(VbsReaderTest, SelectingTheSetThatIsAlreadySelectedChecksTheSlotsAgain) {
    editor.setCheckValue(CheckBoxId::Check6, 0);  // OK only is selected since the window loaded
    std::vector<std::u16string> lines = kWorkedExampleLines;
    lines[0] = u"selectkey = MsgBox(\"b\", 0 + 16, \"t\")";
    readLines(lines);
    EXPECT_NE(std::find(editor.events.begin(), editor.events.end(), "buttons5"), editor.events.end());
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check6)], 1);
    EXPECT_TRUE(editor.slotTextEnabled[1]);
    EXPECT_EQ(editor.texts[4], u"Not saved.");
}

class SecondLine : public ::testing::TestWithParam<std::u16string> {};

TEST_P(SecondLine, ThatDiffersInAnyCharacterEndsTheRead) {
    ReaderHarness h;
    h.editSomethingElse();
    std::vector<std::u16string> lines = kWorkedExampleLines;
    lines[1] = GetParam();
    h.readLines(lines);
    EXPECT_EQ(h.editor.texts[0], kWorkedBody);
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check1)], 0);
    EXPECT_EQ(h.editor.texts[2], lines[0]);
    EXPECT_EQ(h.editor.texts[3], u"earlier slot 0");
    EXPECT_EQ(h.editor.texts[4], u"earlier slot 1");
    EXPECT_EQ(h.editor.texts[5], u"earlier slot 2");
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check7)], 1);
    EXPECT_EQ(h.editor.windowState.savedSnapshot.followUps,
              (std::array<std::u16string, 3>{u"snap slot 0", u"snap slot 1", u"snap slot 2"}));
}

INSTANTIATE_TEST_SUITE_P(Variants, SecondLine,
                         ::testing::Values(u"select case selectkey", u"Select Case Selectkey",
                                           u"Select Case SelectKey ", u" Select Case SelectKey",
                                           u"Select Case  SelectKey", u"Select Case SelectKey\r", u"", u"Case 6",
                                           u"End Select"));

TEST_F(VbsReaderTest, CheckOneFollowsTheSecondLine) {
    readLines({kWorkedExampleLines[0], kWorkedExampleLines[1]});
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check1)], 1);
    EXPECT_TRUE(editor.wide);
    editor.setCheckValue(CheckBoxId::Check1, 1);
    readLines({kWorkedExampleLines[0]});
    EXPECT_EQ(editor.checks[static_cast<int>(CheckBoxId::Check1)], 0);
    EXPECT_FALSE(editor.wide);
}

struct RightCase {
    const char* name;
    std::string bytes;
    int check3Before;
    int check3After;
};

class RightAlignment : public ::testing::TestWithParam<RightCase> {};

TEST_P(RightAlignment, FollowsTheMarkerOutsideTheTexts) {
    ReaderHarness h;
    h.editor.setCheckValue(CheckBoxId::Check3, GetParam().check3Before);
    h.applyBytes(GetParam().bytes);
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check3)], GetParam().check3After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RightAlignment,
    ::testing::Values(
        RightCase{"Marker", "selectkey = MsgBox(\"b\", 0 + 16 + vbMsgBoxRight, \"t\")\r\n", 0, 1},
        RightCase{"NoMarkerUnchecks", "selectkey = MsgBox(\"b\", 0 + 16, \"t\")\r\n", 1, 0},
        RightCase{"MarkerInTheBodyOnly", "selectkey = MsgBox(\"x + vbMsgBoxRight\", 0 + 16, \"t\")\r\n", 1, 0},
        RightCase{"MarkerInTheTitleOnly", "selectkey = MsgBox(\"b\", 0 + 16, \"+ vbMsgBoxRight\")\r\n", 1, 0},
        RightCase{"MarkerInBothTextsAndTheStyle",
                  "selectkey = MsgBox(\"+ vbMsgBoxRight\", 0 + 16 + vbMsgBoxRight, \"+ vbMsgBoxRight\")\r\n", 0, 1},
        RightCase{"MarkerBeforeTheBody", "+ vbMsgBoxRight(\"b\", 0 + 16, \"t\")\r\n", 0, 1},
        RightCase{"MarkerInsideATitleThatNeverEnds", "selectkey = MsgBox(\"b\", 0 + 16, \"t + vbMsgBoxRight)\r\n", 1,
                  0},
        RightCase{"MarkerInsideABodyThatNeverEnds", "selectkey = MsgBox(\"b, 0 + 16 + vbMsgBoxRight, t)\r\n", 1, 0},
        RightCase{"MarkerAfterTheTitle", "selectkey = MsgBox(\"b\", 0 + 16, \"t\") + vbMsgBoxRight\r\n", 0, 1},
        // No quote after the icon: the title is read from the line's start and covers the marker.
        RightCase{"MarkerInATitleReadFromTheStart", "+ vbMsgBoxRight \"body\" + x\r\n", 1, 0},
        RightCase{"MarkerOnALineWithoutQuotes", "x = 0 + 16 + vbMsgBoxRight\r\n", 0, 1},
        RightCase{"MarkerMustMatchExactly", "selectkey = MsgBox(\"b\", 0 + 16 +vbMsgBoxRight + vbmsgboxright, \"t\")",
                  1, 0},
        RightCase{"MarkerOnLaterLinesDoesNotCount",
                  "selectkey = MsgBox(\"b\", 0 + 16, \"t\")\r\nSelect Case SelectKey\r\nCase 1\r\n"
                  "SelectKey = MsgBox(\"b\", 0 + 16 + vbMsgBoxRight, \"t\")\r\n",
                  1, 0},
        RightCase{"EmptyFirstLineUnchecks", "\r\n", 1, 0}, RightCase{"EmptyFileKeepsChecked", "", 1, 1},
        RightCase{"EmptyFileKeepsUnchecked", "", 0, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct FirstLineCase {
    const char* name;
    std::u16string line;
    std::u16string body;   // Text1 before: "old body"
    std::u16string title;  // Text2 before: "old title"
    int buttons;           // before: 6 (OK and Cancel)
    int icon;              // before: 2 (Exclamation)
};

class FirstLine : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(FirstLine, IsReadByItsPositions) {
    ReaderHarness h;
    h.editor.texts[0] = u"old body";
    h.editor.texts[1] = u"old title";
    h.editor.selectButtonOption(6);
    h.editor.selectIconOption(2);
    h.applyLines({GetParam().line});
    EXPECT_EQ(h.editor.texts[0], GetParam().body);
    EXPECT_EQ(h.editor.texts[1], GetParam().title);
    EXPECT_EQ(h.editor.buttonOption, GetParam().buttons);
    EXPECT_EQ(h.editor.iconOption, GetParam().icon);
    EXPECT_EQ(h.editor.windowState.savedSnapshot.body, GetParam().body);
    EXPECT_EQ(h.editor.windowState.savedSnapshot.title, GetParam().title);
    EXPECT_EQ(h.editor.texts[2], GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstLine,
    ::testing::Values(
        FirstLineCase{"WritersShape", u"selectkey = MsgBox(\"b\", 5 + 64, \"t\")", u"b", u"t", 10, 3},
        FirstLineCase{"PlusInTheTexts", u"selectkey = MsgBox(\"1 + 2\", 1 + 16, \"a+b\")", u"1 + 2", u"a+b", 6, 0},
        FirstLineCase{"EmptyTexts", u"selectkey = MsgBox(\"\", 0 + 32, \"\")", u"", u"", 5, 1},
        // An unescaped quote ends the body; the digit, icon and title are looked for after it.
        FirstLineCase{"HandEditedQuoteInTheBody", u"selectkey = MsgBox(\"a \"b + c\" d\", 0 + 16, \"T\")", u"a ", u" d",
                      6, 2},
        FirstLineCase{"HandEditedQuoteBeforeTheStyle", u"selectkey = MsgBox(\"say \"hi\"\", 4 + 48, \"T\")", u"say ",
                      u"T", 9, 2},
        // One quoted text and no "+": the icon text is characters 2 and 3 and the
        // title search starts at position 3.
        FirstLineCase{"NoPlusQuoteFromPositionThree", u"a32 \"hello\"", u"hello", u"hello", 6, 1},
        FirstLineCase{"NoPlusQuoteAtPositionOne", u"\"hello\"", u"hello", u"old title", 6, 2},
        // No quote after the icon: the title is read from the line's start.
        FirstLineCase{"NoTitle", u"selectkey = MsgBox(\"b\", 3 + 16)", u"b", u"selectkey = MsgBox(", 8, 0},
        // A body that never ends: the "+" is looked for from the line's start.
        FirstLineCase{"BodyNeverEnds", u"selectkey = MsgBox(\"b, 2 + 16, t)", u"old body", u"selectkey = MsgBox(", 7,
                      0},
        FirstLineCase{"TitleNeverEnds", u"selectkey = MsgBox(\"b\", 2 + 16, \"t)", u"b", u"old title", 7, 0},
        FirstLineCase{"NoQuotes", u"selectkey = MsgBox(4 + 16)", u"old body", u"old title", 9, 0},
        FirstLineCase{"DigitOutOfRange", u"selectkey = MsgBox(\"b\", 6 + 16, \"t\")", u"b", u"t", 6, 0},
        FirstLineCase{"DigitNotANumber", u"selectkey = MsgBox(\"b\", x + 16, \"t\")", u"b", u"t", 6, 0},
        FirstLineCase{"TwoDigitButtons", u"selectkey = MsgBox(\"b\", 13 + 16, \"t\")", u"b", u"t", 8, 0},
        FirstLineCase{"IconOutOfRange", u"selectkey = MsgBox(\"b\", 0 + 17, \"t\")", u"b", u"t", 5, 2},
        FirstLineCase{"IconNotANumber", u"selectkey = MsgBox(\"b\", 0 + 1x, \"t\")", u"b", u"t", 5, 2},
        FirstLineCase{"IconOneDigit", u"selectkey = MsgBox(\"b\", 0 + 1, \"t\")", u"b", u"t", 5, 2},
        FirstLineCase{"IconWithBlank", u"selectkey = MsgBox(\"b\", 0 +  16, \"t\")", u"b", u"t", 5, 2},
        FirstLineCase{"PlusRightAfterTheBody", u"\"b\"+16", u"b", u"", 6, 2},
        FirstLineCase{"LineEndsAfterThePlus", u"\"b\", 3 +", u"b", u"", 8, 2},
        FirstLineCase{"FullWidthDigits", u"selectkey = MsgBox(\"b\", ３ + １６, \"t\")", u"b", u"t", 6, 2}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// What the rules make of an empty file, which the open command refuses.
TEST_F(VbsReaderTest, EmptyFileUnchecksContinuationAndTakesTheTextsAsSaved) {
    editSomethingElse();
    applyBytes("");
    EXPECT_EQ(editor.texts[0], u"earlier body");
    EXPECT_EQ(editor.texts[1], u"earlier title");
    EXPECT_EQ(editor.texts[2], u"");
    EXPECT_EQ(editor.buttonOption, 10);
    EXPECT_EQ(editor.iconOption, 3);
    EXPECT_EQ(editor.checks, (std::array<int, 5>{0, 1, 1, 0, 1}));
    EXPECT_EQ(editor.windowState.savedSnapshot,
              (SavedSnapshot{u"earlier body", u"earlier title", {u"snap slot 0", u"snap slot 1", u"snap slot 2"}}));
    EXPECT_EQ(editor.events, (std::vector<std::string>{checkEvent(CheckBoxId::Check1, 0), "Text3"}));
}

// A file that is no dialog script is refused with one message naming it and
// the reason, and the editor stays as it was; a hand-edited script whose first
// line still shows a dialog is read.
TEST_F(VbsReaderTest, FilesThatAreNoDialogScriptAreRefusedAndChangeNothing) {
    const struct {
        const char* name;
        std::string bytes;
        std::u16string_view reason;  // empty: read
    } cases[] = {
        {"empty", "", u"空のファイルです。"},
        {"other script", "WScript.Echo \"hello\"\r\n", kNoDialogLine},
        {"binary",
         std::string("\x7F"
                     "ELF\x02\x01\x01\0\0\0\"+",
                     13),
         u"テキストではないファイル（バイナリ ファイル）です。"},
        {"UTF-16", std::string("\xFF\xFEs\0", 4),
         u"UTF-16 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"UTF-8", "x = MsgBox(\"\xE3\x81\x82\")\r\n",
         u"UTF-8 のファイルです。Boxwright の .vbs ファイルはコードページ 932（シフト JIS）で書かれています。"},
        {"hand-edited, lower case", "x = msgbox(\"hello\")\r\n", u""},
        {"a NUL inside a text", std::string("selectkey = MsgBox(\"a\0b\", 0 + 16, \"t\")", 37), u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderHarness h;
        h.editSomethingElse();
        const std::string before = dump(h.editor);
        const ReadOutcome outcome = h.readBytes(c.bytes);
        if (c.reason.empty()) {
            EXPECT_EQ(outcome, ReadOutcome::Read);
            EXPECT_TRUE(h.messages.calls.empty());
            continue;
        }
        EXPECT_EQ(outcome, ReadOutcome::Failed);
        EXPECT_EQ(dump(h.editor), before);
        EXPECT_EQ(h.editor.windowState.scriptPath, u"");
        ASSERT_EQ(h.messages.calls.size(), 1u);
        EXPECT_EQ(h.messages.calls[0].prompt,
                  u"「" + std::u16string(kPath) + u"」を開けませんでした。\r\n" + std::u16string(c.reason));
    }
}

TEST_F(VbsReaderTest, PathThatCannotBeOpenedIsReportedAndChangesNothing) {
    editSomethingElse();
    const std::string before = dump(editor);
    files.failures[kPath] = u"Permission denied";
    dialog.answers.push_back(std::u16string(kPath));
    EXPECT_EQ(readScript(editor, dialog, files, messages), ReadOutcome::Failed);
    EXPECT_EQ(dump(editor), before);
    EXPECT_TRUE(editor.events.empty());
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].prompt, u"「/scripts/opened.vbs」を開けませんでした。\r\nPermission denied");
    EXPECT_EQ(messages.calls[0].style, msgbox::OkOnly + msgbox::Critical);
    EXPECT_FALSE(messages.calls[0].title.has_value());
}

TEST(VbsReaderFiles, MissingFileAndFolderAreReportedWithTheSystemsReason) {
    TempFolder folder;
    PosixFileStore store;
    for (const std::u16string& path : {folder.file("missing.vbs"), folder.path().u16string()}) {
        ReaderHarness h;
        h.editSomethingElse();
        const std::string before = dump(h.editor);
        h.dialog.answers.push_back(path);
        EXPECT_EQ(readScript(h.editor, h.dialog, store, h.messages), ReadOutcome::Failed);
        EXPECT_EQ(dump(h.editor), before);
        ASSERT_EQ(h.messages.calls.size(), 1u);
        const std::u16string& prompt = h.messages.calls[0].prompt;
        EXPECT_NE(prompt.find(u"「" + path + u"」"), std::u16string::npos);
        const std::u16string reason = store.read(path).error;
        ASSERT_FALSE(reason.empty());
        EXPECT_TRUE(prompt.ends_with(u"\r\n" + reason));
        EXPECT_EQ(h.messages.calls[0].style, 16);
        EXPECT_FALSE(h.messages.calls[0].title.has_value());
    }
}

TEST(VbsReaderFiles, FileWithoutReadRightsIsReported) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads files without read rights";
    }
    TempFolder folder;
    writeBytes(folder.path() / "locked.vbs", "selectkey = MsgBox(\"b\", 0 + 16, \"t\")\r\n");
    std::filesystem::permissions(folder.path() / "locked.vbs", std::filesystem::perms::none);
    PosixFileStore store;
    ReaderHarness h;
    const std::string before = dump(h.editor);
    h.dialog.answers.push_back(folder.file("locked.vbs"));
    EXPECT_EQ(readScript(h.editor, h.dialog, store, h.messages), ReadOutcome::Failed);
    EXPECT_EQ(dump(h.editor), before);
    ASSERT_EQ(h.messages.calls.size(), 1u);
}

struct SlotLineCase {
    const char* name;
    std::u16string line;
    int check;  // Check5 after the read
    std::u16string text;
};

class SlotLine : public ::testing::TestWithParam<SlotLineCase> {};

TEST_P(SlotLine, TakesTheFirstTextAndTheLeadingApostrophe) {
    ReaderHarness h;
    h.editor.texts[3] = u"old slot";
    h.readLines({u"selectkey = MsgBox(\"b\", 0 + 16, \"t\")", u"Select Case SelectKey", u"Case 1", GetParam().line});
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check5)], GetParam().check);
    EXPECT_EQ(h.editor.slotTextEnabled[0], GetParam().check == 1);
    EXPECT_EQ(h.editor.texts[3], GetParam().text);
    EXPECT_EQ(h.editor.windowState.savedSnapshot.followUps[0], GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlotLine,
    ::testing::Values(SlotLineCase{"Active", u"SelectKey = MsgBox(\"s\", 0 + 16, \"t\")", 1, u"s"},
                      SlotLineCase{"CommentedOut", u"'SelectKey = MsgBox(\"s\", 0 + 16, \"t\")", 0, u"s"},
                      SlotLineCase{"ApostropheAfterABlank", u" 'SelectKey = MsgBox(\"s\", 0 + 16, \"t\")", 1, u"s"},
                      SlotLineCase{"ApostropheInTheText", u"SelectKey = MsgBox(\"it's\", 0 + 16, \"t\")", 1, u"it's"},
                      SlotLineCase{"EscapedText", u"SelectKey = MsgBox(\"a\"&vbCrLf&\"\"&Chr(34)&\"\", 0 + 16, \"t\")",
                                   1, u"a\r\n\""},
                      SlotLineCase{"TextNeverEnds", u"'SelectKey = MsgBox(\"s, 0 + 16, t)", 0, u"old slot"},
                      SlotLineCase{"NoQuotes", u"'", 0, u"old slot"}, SlotLineCase{"EmptyLine", u"", 1, u"old slot"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A file cut off inside the follow-ups: each failed read leaves an empty line, so
// the remaining slots keep their texts and check marks instead of copying the last line read.
class CutOff : public ::testing::TestWithParam<std::size_t> {};

TEST_P(CutOff, RemainingSlotsKeepTheirTextsAndChecks) {
    const std::size_t lineCount = GetParam();
    ReaderHarness h;
    h.editSomethingElse();
    std::vector<std::u16string> lines = kWorkedExampleLines;
    lines[3] = u"'SelectKey = MsgBox(\"first\", 0 + 32, \"Question\")";
    lines.resize(lineCount);
    h.readLines(lines);
    const std::size_t slotsRead = lineCount >= 4 ? (lineCount - 2) / 2 : 0;
    const std::array<std::u16string, 3> fileTexts = {u"first", u"Not saved.", u"本文"};
    const std::array<int, 3> fileChecks = {0, 1, 0};
    const std::array<std::u16string, 3> earlierTexts = {u"earlier slot 0", u"earlier slot 1", u"earlier slot 2"};
    for (std::size_t slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(slot);
        const bool read = slot < slotsRead;
        EXPECT_EQ(h.editor.texts[3 + slot], read ? fileTexts[slot] : earlierTexts[slot]);
        EXPECT_EQ(h.editor.checks[2 + slot], read ? fileChecks[slot] : 1);
        EXPECT_EQ(h.editor.windowState.savedSnapshot.followUps[slot], h.editor.texts[3 + slot]);
    }
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check1)], 1);
    // Text3 holds the line of the last load; a load past the end loads an empty line.
    EXPECT_EQ(h.editor.texts[2], lineCount == 8 ? lines[7] : u"");
}

INSTANTIATE_TEST_SUITE_P(Lengths, CutOff, ::testing::Values(2u, 3u, 4u, 5u, 6u, 7u, 8u));

TEST_F(VbsReaderTest, TextThreeKeepsTheLastLineLoaded) {
    readLines({kWorkedExampleLines[0]});
    EXPECT_EQ(editor.texts[2], kWorkedExampleLines[0]);
    readLines({kWorkedExampleLines[0], u"Select Case Selectkey"});
    EXPECT_EQ(editor.texts[2], kWorkedExampleLines[0]);
    readLines(kWorkedExampleLines);
    EXPECT_EQ(editor.texts[2], kWorkedExampleLines[7]);
}

TEST_F(VbsReaderTest, SnapshotTakesTheTextsEvenWhenTheLineHoldsNone) {
    editSomethingElse();
    applyLines({u"this is not a script"});
    EXPECT_EQ(editor.windowState.savedSnapshot.body, u"earlier body");
    EXPECT_EQ(editor.windowState.savedSnapshot.title, u"earlier title");
    EXPECT_EQ(editor.windowState.savedSnapshot.followUps[0], u"snap slot 0");
}

}  // namespace
}  // namespace bw::test
