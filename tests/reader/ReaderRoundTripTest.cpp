#include "DefinitionGenerator.h"
#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "core/TestText.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"
#include "platform/posix/PosixFileStore.h"
#include "codec/ScriptWriter.h"
#include "codec/TextLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace bw::test {
namespace {

std::vector<std::u16string> written(const DialogDefinition& def) {
    return vbsLines(def, stateFor(def));
}

// Texts that a model of a placeholder-based reader brings back altered, and
// their neighbours: every one must come back exactly.
struct TextCase {
    const char* name;
    std::u16string text;
};

class ReadsBackExactly : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadsBackExactly, InEveryTextOfTheScript) {
    const std::u16string& text = GetParam().text;
    DialogDefinition def;
    def.body = text;
    def.title = text;
    def.icon = IconKind::Exclamation;
    def.buttons = ButtonSet::YesNo;
    def.continuation = true;
    def.followUps = {{{true, text}, {false, u"x" + text + u"x"}, {true, text + text}}};
    for (const bool continuation : {true, false}) {
        def.continuation = continuation;
        const auto lines = written(def);
        ReaderHarness h;
        h.editSomethingElse();
        h.readLines(lines);
        EXPECT_EQ(readBackFailures(h, def, lines), "") << describe(def);
        EXPECT_EQ(h.editor.texts[0], def.body);
        EXPECT_EQ(h.editor.texts[1], def.title);
        EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check3)], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadsBackExactly,
    ::testing::Values(
        TextCase{"QuotedVbCrLf", u"Use \"vbCrLf\" here"}, TextCase{"EscapeTextAlone", u"&vbCrLf&"},
        TextCase{"QuoteEscapeTextThenQuote", u"&Chr(34)&\"x"}, TextCase{"LineBreakPlaceholder", u"a&&vbCrLf&&b"},
        TextCase{"QuotePlaceholder", u"a&&Chr(34)&&b"}, TextCase{"BothPlaceholders", u"&&Chr(34)&&&&vbCrLf&&"},
        TextCase{"RightMarker", u"+ vbMsgBoxRight"}, TextCase{"RightSuffix", u"x + vbMsgBoxRight"},
        TextCase{"QuoteEscapedLineBreakQuote", u"\"&vbCrLf&\""},
        TextCase{"QuoteEscapedLineBreakCrLf", u"\"&vbCrLf&\r\n"}, TextCase{"EscapedQuoteText", u"\"&Chr(34)&\""},
        TextCase{"EscapedCodeUnitText", u"\"&ChrW(65)&\" &ChrW(66)&"}, TextCase{"Quote", u"\""},
        TextCase{"TwoQuotes", u"\"\""}, TextCase{"QuotesAroundALineBreak", u"\"\r\n\""},
        TextCase{"LineBreakThenQuote", u"\r\n\""}, TextCase{"QuoteThenLineBreak", u"\"\r\n"},
        TextCase{"LineBreakOnly", u"\r\n"}, TextCase{"TwoLineBreaks", u"a\r\n\r\nb\r\n"}, TextCase{"Empty", u""},
        TextCase{"LoneCrAndLf", u"a\rb\nc\n\r"}, TextCase{"PlusAndComma", u"1 + 2, 3 +"},
        TextCase{"Apostrophes", u"'it's'"}, TextCase{"ScriptPieces", u"selectkey = MsgBox(\"\", 0 + 16, \"\")"},
        TextCase{"SecondLine", u"Select Case SelectKey"}, TextCase{"Japanese", u"本文です「こんにちは」ｱｲｳ"},
        TextCase{"OutsideTheCodePage", u"é € ¥ \uFFFD"}, TextCase{"SurrogatePair", u"\U0001F600\U0001F600"},
        TextCase{"LoneSurrogates", std::u16string{u'a', char16_t{0xD83D}, u'b', char16_t{0xDE00}}},
        TextCase{"NulCharacter", std::u16string{u'a', u'\0', u'b'}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ReadsBack, RightAlignedDefinition) {
    DialogDefinition def;
    def.body = u"+ vbMsgBoxRight";
    def.title = u"\"+ vbMsgBoxRight\"";
    def.rightAligned = true;
    def.buttons = ButtonSet::RetryCancel;
    def.icon = IconKind::Information;
    for (const bool continuation : {false, true}) {
        def.continuation = continuation;
        const auto lines = written(def);
        ReaderHarness h;
        h.editSomethingElse();
        h.editor.setCheckValue(CheckBoxId::Check3, 0);
        h.readLines(lines);
        EXPECT_EQ(readBackFailures(h, def, lines), "") << describe(def);
    }
}

TEST(ReadsBack, EveryRandomDefinition) {
    constexpr std::uint32_t kSeed = 20240603;
    constexpr int kDefinitions = 4000;
    std::cout << "round-trip seed " << kSeed << ", " << kDefinitions << " definitions\n";
    ::testing::Test::RecordProperty("seed", static_cast<int>(kSeed));

    DefinitionGenerator generator(kSeed);
    int failed = 0;
    for (int i = 0; i < kDefinitions; ++i) {
        const DialogDefinition def = generator.next();
        const auto lines = written(def);
        ReaderHarness h;
        h.editSomethingElse();
        h.readBytes(encodeLines(lines, TextEncoding::CodePage932));
        const std::string failures = readBackFailures(h, def, lines);
        if (!failures.empty() && ++failed <= 5) {
            ADD_FAILURE() << "definition " << i << ": " << failures << "\n" << describe(def);
        }
    }
    EXPECT_EQ(failed, 0) << "of " << kDefinitions << " definitions, seed " << kSeed;
}

}  // namespace
}  // namespace bw::test

namespace bw::test {
namespace {

// The same through a real file, written by the save command's store.
TEST(ReadsBack, ADefinitionThroughARealFile) {
    DefinitionGenerator generator(7);
    const DialogDefinition def = generator.next();
    const auto lines = written(def);
    TempFolder folder;
    const std::u16string path = folder.file("random.vbs");
    PosixFileStore store;
    ASSERT_TRUE(store.write(path, encodeLines(lines, TextEncoding::CodePage932)).ok);
    ReaderHarness h;
    h.editSomethingElse();
    h.dialog.answers.push_back(path);
    EXPECT_EQ(readScript(h.editor, h.dialog, store, h.messages), ReadOutcome::Read);
    EXPECT_EQ(readBackFailures(h, def, lines), "") << describe(def);
}

}  // namespace
}  // namespace bw::test
