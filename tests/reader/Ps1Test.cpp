#include "DefinitionGenerator.h"
#include "ReaderHarness.h"
#include "RoundTripCheck.h"
#include "core/WorkedExample.h"
#include "codec/Ps1Format.h"
#include "codec/Ps1Reader.h"
#include "codec/Ps1Writer.h"

#include "codec/Utf8.h"
#include "model/MessageBoxStyle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace bw::test {
namespace {

struct ExpressionCase {
    const char* name;
    std::u16string text;
    std::u16string expression;
};

class Ps1Expression : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(Ps1Expression, IsWrittenAndReadBack) {
    const ExpressionCase& c = GetParam();
    EXPECT_EQ(ps1TextExpression(c.text), c.expression);
    // A long text's expression is made at its length at once, not regrown.
    std::u16string text;
    for (int i = 0; i < 100; ++i) {
        text += c.text;
    }
    const std::u16string expression = ps1TextExpression(text);
    EXPECT_LT(expression.capacity() - expression.size(), 16u);
}

INSTANTIATE_TEST_SUITE_P(Cases, Ps1Expression,
                         ::testing::Values(ExpressionCase{"Empty", u"", u"''"},
                                           ExpressionCase{"Worked", u"It's\r\ndone", u"'It''s' + \"`r`n\" + 'done'"},
                                           ExpressionCase{"CurlyQuotes", u"\u2018a\u2019\u201A\u201B",
                                                          u"'\u2018\u2018a\u2019\u2019\u201A\u201A\u201B\u201B'"},
                                           ExpressionCase{"DoubleQuoteAndDollar", u"\"$x`", u"'\"$x`'"},
                                           ExpressionCase{"RunOfBreaks", std::u16string(u"\r\n\r\n\n\r\0x", 8),
                                                          u"'' + \"`r`n`r`n`n`r`0\" + 'x'"},
                                           ExpressionCase{"EndsWithBreak", u"a\r\n", u"'a' + \"`r`n\" + ''"},
                                           ExpressionCase{"Emoji", u"\U0001F600", u"'\U0001F600'"},
                                           ExpressionCase{"LoneSurrogates",
                                                          std::u16string{u'a', char16_t{0xDE00}, char16_t{0xD83D}},
                                                          u"'a' + [char]0xDE00 + '' + [char]0xD83D + ''"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The worked example with the second button as the default, right-aligned.
std::vector<std::u16string> workedExampleLines() {
    DialogDefinition def = workedExample();
    def.defaultButton = 1;
    def.rightAligned = true;
    return ps1Lines(def);
}

TEST(Ps1Writer, WorkedExample) {
    const std::u16string show = u"[System.Windows.Forms.MessageBox]::Show(";
    const std::u16string tail =
        u", 'Question', [System.Windows.Forms.MessageBoxButtons]::OK, [System.Windows.Forms.MessageBoxIcon]::Question, "
        u"[System.Windows.Forms.MessageBoxDefaultButton]::Button1, "
        u"[System.Windows.Forms.MessageBoxOptions]::RightAlign)";
    const std::vector<std::u16string> expected = {
        std::u16string(ps1::kHowToRun),
        u"Add-Type -AssemblyName System.Windows.Forms",
        u"[System.Windows.Forms.Application]::EnableVisualStyles()",
        u"$answer = " + show +
            u"'Save the file?' + \"`r`n\" + 'It will be \"final\".', 'Question', "
            u"[System.Windows.Forms.MessageBoxButtons]::YesNoCancel, [System.Windows.Forms.MessageBoxIcon]::Question, "
            u"[System.Windows.Forms.MessageBoxDefaultButton]::Button2, "
            u"[System.Windows.Forms.MessageBoxOptions]::RightAlign)",
        u"switch ([int]$answer) {",
        u"    6 {",
        u"        [void]" + show + u"'Saved.'" + tail,
        u"    }",
        u"    7 {",
        u"        [void]" + show + u"'Not saved.'" + tail,
        u"    }",
        u"    2 {",
        u"        # [void]" + show + u"'本文'" + tail,
        u"    }",
        u"}",
    };
    EXPECT_EQ(workedExampleLines(), expected);
}

// Where the tests' scripts go for the PowerShell grammar check, when it runs.
void keepForGrammarCheck(const std::string& name, const std::vector<std::u16string>& lines) {
    if (const char* folder = std::getenv("BOXWRIGHT_PS1_OUT")) {
        std::ofstream out(std::filesystem::path(folder) / (name + ".ps1"), std::ios::binary);
        out << ByteFileStore::joinLines(lines, TextEncoding::Utf8);
    }
}

ReadOutcome readPs1(ReaderHarness& h, const std::string& bytes) {
    h.files.files[u"/s/a.ps1"] = bytes;
    h.editor.events.clear();
    return readPs1ScriptFile(h.editor, u"/s/a.ps1", h.files, h.messages);
}

TEST(Ps1Reader, RandomDefinitionsComeBackWhole) {
    DefinitionGenerator generator(20261207);
    for (int i = 0; i < 3000; ++i) {
        const DialogDefinition def = generator.next();
        const auto lines = ps1Lines(def);
        if (i < 200) {
            keepForGrammarCheck("random-" + std::to_string(i), lines);
        }
        ReaderHarness h;
        h.editSomethingElse();
        ASSERT_EQ(readPs1(h, ByteFileStore::joinLines(lines, TextEncoding::Utf8)), ReadOutcome::Read) << describe(def);
        DialogDefinition got = readDefinition(h.editor);
        if (!def.continuation) {
            EXPECT_EQ(h.editor.texts[3], u"earlier slot 0");
            got.followUps = def.followUps;
        }
        ASSERT_EQ(got, def) << describe(def);
        EXPECT_EQ(h.editor.windowState.savedSnapshot.body, def.body);
        // Text3 keeps the last message line read, without its indent.
        EXPECT_EQ(h.editor.texts[2], def.continuation ? lines[lines.size() - 3].substr(8) : lines[3]);
    }
    keepForGrammarCheck("worked-example", workedExampleLines());
}

// Files a user may have edited by hand: read when they stay within the format,
// reported with the line where they leave it, and then nothing changes.
struct InputCase {
    const char* name;
    std::string bytes;
    std::size_t errorLine;  // 0: read
    std::u16string body;
};

std::string worked() { return ByteFileStore::joinLines(workedExampleLines(), TextEncoding::Utf8); }

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// The script in UTF-16 with its byte-order mark, as Notepad's "Unicode" saves.
std::string utf16(const std::string& utf8WithMark, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : fromUtf8(utf8WithMark.substr(3))) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        out += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return out;
}

std::string blankLines(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += "\r\n";
    }
    return out;
}

// A branch that is not there shows no box after its answer: its slot reads as
// off, with no text the file does not give.
TEST(Ps1Reader, AMissingBranchIsAnUncheckedSlot) {
    std::string script = worked();
    const std::size_t from = script.find("    7 {");
    script.erase(from, script.find("    }\r\n", from) + 7 - from);
    ReaderHarness h;
    h.editSomethingElse();
    ASSERT_EQ(readPs1(h, script), ReadOutcome::Read);
    EXPECT_EQ(h.editor.checks[3], 0);  // Check6, the second slot
    EXPECT_EQ(h.editor.texts[4], u"");
    EXPECT_EQ(h.editor.checks[2], 1);
}

// A file without the byte-order mark is read, and the user told that Windows
// PowerShell 5.1 needs the mark, which the next save writes.
TEST(Ps1Reader, AFileWithoutTheMarkIsReadAndTheUserTold) {
    for (const auto& [bytes, says] : {std::pair{worked().substr(3), std::u16string(u"UTF-8 として読みました。")},
                                      std::pair{replaced(worked().substr(3), "Save", "\x96\x7B"),
                                                std::u16string(u"コード ページ 932")}}) {
        ReaderHarness h;
        ASSERT_EQ(readPs1(h, bytes), ReadOutcome::Read);
        ASSERT_EQ(h.messages.calls.size(), 1u);
        EXPECT_NE(h.messages.calls[0].prompt.find(says), std::u16string::npos);
        EXPECT_EQ(h.messages.calls[0].style, msgbox::OkOnly + msgbox::Information);
    }
    ReaderHarness h;
    ASSERT_EQ(readPs1(h, worked()), ReadOutcome::Read);
    EXPECT_TRUE(h.messages.calls.empty());
}

// Every refusal says what was looked for where the file left the format.
TEST(Ps1Reader, ARefusalNamesItsReason) {
    const std::pair<std::string, std::u16string_view> cases[] = {
        {"", u"Add-Type -AssemblyName System.Windows.Forms の行がありません"},
        {"Write-Host hi\r\n", u"Add-Type -AssemblyName System.Windows.Forms の行ではありません"},
        {worked().substr(0, worked().find("$answer")), u"メッセージ ボックスを表示する行がありません"},
        {replaced(worked(), "::YesNoCancel", "::YesNoMaybe"), u"メッセージ ボックスを表示する行として読めません"},
        {replaced(worked(), "switch (", "switch -regex ("), u"switch の行として読めません"},
        {replaced(worked(), "    7 {", "    5 {"), u"switch の分岐として読めません"},
        {worked().substr(0, worked().find("    7 {")), u"switch が閉じていません"},
        {worked() + "Remove-Item C:\\\r\n", u"スクリプトの終わりのあとに文があります"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_EQ(decodePs1Script(bytes).reason.substr(0, reason.size()), reason) << utf8(std::u16string(reason));
    }
}

class Ps1Input : public ::testing::TestWithParam<InputCase> {};

TEST_P(Ps1Input, IsReadOrReported) {
    const InputCase& c = GetParam();
    ReaderHarness h;
    h.editSomethingElse();
    const std::string before = dump(h.editor);
    const ReadOutcome outcome = readPs1(h, c.bytes);
    if (c.errorLine == 0) {
        ASSERT_EQ(outcome, ReadOutcome::Read) << (h.messages.calls.empty() ? "" : utf8(h.messages.calls[0].prompt));
        EXPECT_EQ(h.editor.texts[0], c.body);
        return;
    }
    EXPECT_EQ(outcome, ReadOutcome::Failed);
    ASSERT_EQ(h.messages.calls.size(), 1u);
    // The line, then what was looked for there.
    const std::u16string& prompt = h.messages.calls[0].prompt;
    const std::u16string start = u"「/s/a.ps1」は Boxwright の PowerShell 形式ではありません（" +
                                 decimalText(static_cast<std::int64_t>(c.errorLine)) + u" 行目：";
    EXPECT_TRUE(prompt.starts_with(start) && prompt.ends_with(u"）。") && prompt.size() > start.size() + 2)
        << utf8(prompt);
    EXPECT_EQ(dump(h.editor), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ps1Input,
    ::testing::Values(
        InputCase{"Written", worked(), 0, kWorkedBody},
        InputCase{"WithoutByteOrderMark", worked().substr(3), 0, kWorkedBody},
        InputCase{"Signed", worked() + "# SIG # Begin signature block\r\n# MIIFdgYJKoZIhvcNAQcCoIIFZzCC\r\n"
                                       "# SIG # End signature block\r\n", 0, kWorkedBody},
        InputCase{"WrittenBeforeTheVisualStyles",
                  replaced(worked(), "[System.Windows.Forms.Application]::EnableVisualStyles()\r\n", ""), 0, kWorkedBody},
        InputCase{"LfLineEnds", replaced(replaced(worked(), "\r\n", "\n"), "\r\n", "\n"), 0, kWorkedBody},
        InputCase{"BlankAndCommentLinesCaseAndOneLineBranch",
                  "\n# note\r\nadd-type -assemblyname system.windows.forms\r\n\r\n$Answer = "
                  "[system.windows.forms.messagebox]::show('b', 't', [System.Windows.Forms.MessageBoxButtons]::yesno, "
                  "[System.Windows.Forms.MessageBoxIcon]::error)\r\nSWITCH ([int]$answer) {\r\n7 { [void]"
                  "[System.Windows.Forms.MessageBox]::Show('n', 't', [System.Windows.Forms.MessageBoxButtons]::OK, "
                  "[System.Windows.Forms.MessageBoxIcon]::Error) }\r\n}\r\n# end\r\n",
                  0, u"b"},
        InputCase{"InvalidUtf8BecomesReplacement", replaced(worked(), "Save", "S\xFF\xFE"), 0,
                  u"S\uFFFD\uFFFD the file?\r\nIt will be \"final\"."},
        InputCase{"Empty", "", 1, u""},
        InputCase{"OnlyTheComment", worked().substr(0, worked().find("Add-Type")), 1, u""},
        InputCase{"CutInsideTheDialog", worked().substr(0, worked().find("It will")), 4, u""},
        InputCase{"CutInsideTheSwitch", worked().substr(0, worked().find("    7 {")), 8, u""},
        InputCase{"VariableInAText", replaced(worked(), "\"`r`n\"", "\"$x\""), 4, u""},
        InputCase{"UnknownButtons", replaced(worked(), "::YesNoCancel", "::YesNoMaybe"), 4, u""},
        InputCase{"CodeOfNoSlot", replaced(worked(), "    7 {", "    5 {"), 9, u""},
        InputCase{"CommentedOneLineBranch", replaced(worked(), "    6 {\r\n        [void]", "    6 { # [void]"), 6,
                  u""},
        InputCase{"TrailingStatement", worked() + "Remove-Item C:\\\r\n", 16, u""},
        InputCase{"StatementAfterManyBlankLines", worked() + blankLines(260) + "Remove-Item C:\\\r\n", 276, u""},
        InputCase{"CodePage932WithoutMark", replaced(worked().substr(3), "Save", "\x96\x7B\x95\xB6"), 0,
                  u"本文 the file?\r\nIt will be \"final\"."},
        InputCase{"Utf16LittleEndian", utf16(worked(), true), 0, kWorkedBody},
        InputCase{"Utf16BigEndian", utf16(worked(), false), 0, kWorkedBody},
        InputCase{"CommentInsideTheSwitch", replaced(worked(), "    7 {", "    # after Yes\r\n    7 {"), 0, kWorkedBody},
        InputCase{"CommentBeforeAMessage", replaced(worked(), "    7 {\r\n", "    7 {\r\n        # note\r\n"), 0,
                  kWorkedBody},
        InputCase{"ACharCastFirstIsANumberToPowerShell", replaced(worked(), "'Save", "[char]0x53 + 'ave"), 4, u""},
        InputCase{"CurlyDoubleQuotesEndAString", replaced(worked(), "\"`r`n\"", "\u201C`r`n\u201D\u201D\u201E"), 0,
                  u"Save the file?\r\n\u201DIt will be \"final\"."},
        InputCase{"NameRunsOn", replaced(worked(), "Add-Type -AssemblyName", "Add-Type-AssemblyName"), 2, u""},
        InputCase{"AVbsScript", ByteFileStore::joinLines({u"selectkey = MsgBox(\"b\", 0 + 16, \"t\")"}), 1, u""},
        InputCase{"BinaryBytes", std::string("\x00\x01\x02\xFF\r\n\x89PNG", 10), 1, u""}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace bw::test
