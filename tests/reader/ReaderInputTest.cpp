#include "ReaderHarness.h"
#include "codec/CodePage932.h"
#include "core/TestText.h"
#include "model/MessageBoxStyle.h"
#include "platform/posix/PosixFileStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace bw::test {
namespace {

std::string randomBytes(std::mt19937& random, std::size_t size, std::string_view alphabet = {}) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        const auto value = std::uniform_int_distribution<int>(0, 255)(random);
        byte =
            alphabet.empty() ? static_cast<char>(value) : alphabet[static_cast<std::size_t>(value) % alphabet.size()];
    }
    return bytes;
}

void expectPlainCheckValues(const MemoryEditor& editor) {
    for (const int value : editor.checks) {
        EXPECT_TRUE(value == 0 || value == 1);
    }
}

// Binary data is refused and changes nothing, or (when its first line shows a
// dialog) is read as far as the positions carry, and reading the same file
// again changes nothing more: every step depends on the file alone or keeps a value.
TEST(ReaderInput, BinaryDataIsReadAndReadingItAgainChangesNothing) {
    constexpr std::uint32_t kSeed = 1234;
    std::mt19937 random(kSeed);
    const std::string scriptish = "\"\r\n+'&()0123456789ChrWvbCrLf, \x81\x40\x96\x7B\xFF";
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        // Every fourth file opens as a dialog line would, so that it is read.
        const std::string bytes =
            std::string(i % 4 == 1 ? "x = MsgBox(\"" : "") +
            randomBytes(random, std::uniform_int_distribution<std::size_t>(0, 400)(random), i % 2 ? scriptish : "");
        ReaderHarness h;
        h.editSomethingElse();
        const std::string before = dump(h.editor);
        const ReadOutcome outcome = h.readBytes(bytes);
        EXPECT_TRUE(i % 4 != 1 || outcome == ReadOutcome::Read);
        if (outcome == ReadOutcome::Failed) {
            EXPECT_EQ(h.messages.calls.size(), 1u);
            EXPECT_EQ(dump(h.editor), before);
        }
        expectPlainCheckValues(h.editor);
        const std::string once = dump(h.editor);
        h.readBytes(bytes);
        EXPECT_EQ(dump(h.editor), once);
    }
}

TEST(ReaderInput, EveryByteValue) {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes += static_cast<char>(value);
    }
    ReaderHarness h;
    h.editSomethingElse();
    h.applyBytes(bytes + "\r\n" + bytes + "\r\n" + bytes);
    expectPlainCheckValues(h.editor);
    EXPECT_EQ(h.editor.texts[2], decodeCodePage932(bytes));
    // The line's first quote (0x22) opens a body that never ends: only its other steps ran.
    EXPECT_EQ(h.editor.texts[0], u"earlier body");
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check1)], 0);
}

TEST(ReaderInput, NulBytesAreCharacters) {
    ReaderHarness h;
    h.readBytes(std::string("selectkey = MsgBox(\"a\0b\", 0 + 16, \"\0\")\r\n", 39));
    EXPECT_EQ(h.editor.texts[0], (std::u16string{u'a', u'\0', u'b'}));
    EXPECT_EQ(h.editor.texts[1], std::u16string(1, u'\0'));
}

// A file of one 100 MB line: a body of noise (no quote, no CR LF pair, lone CRs,
// many "+", bytes the code page does not define) between the writer's pieces.
TEST(ReaderInput, HundredMegabytesOnOneLine) {
    TempFolder folder;
    const auto file = folder.path() / "big.vbs";
    constexpr std::size_t kNoiseBytes = 100u << 20;
    {
        std::ofstream out(file, std::ios::binary);
        out << "selectkey = MsgBox(\"";
        std::mt19937 random(99);
        const std::string chunk = randomBytes(random, 512u << 10, "abcdefgh+ \r\x81\x82\xFF");
        for (std::size_t written = 0; written < kNoiseBytes; written += chunk.size()) {
            out << chunk;
        }
        out << "\", 1 + 64, \"big\")";
    }
    PosixFileStore store;
    ReaderHarness h;
    h.editSomethingElse();
    h.dialog.answers.push_back(file.u16string());
    h.messages.answers = {msgbox::ResultYes};  // to the question whether to load so large a body
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readScript(h.editor, h.dialog, store, h.messages), ReadOutcome::Read);
    EXPECT_EQ(h.messages.calls.size(), 1u);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "100 MB line read in " << seconds << " s\n";

    expectPlainCheckValues(h.editor);
    const std::u16string& body = h.editor.texts[0];
    // Two-byte characters make the decoded body shorter than its bytes.
    EXPECT_GT(body.size(), kNoiseBytes / 2);
    EXPECT_LE(body.size(), kNoiseBytes);
    EXPECT_EQ(body.find(u'"'), std::u16string::npos);
    EXPECT_NE(body.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_EQ(h.editor.texts[1], u"big");
    EXPECT_EQ(h.editor.buttonOption, 6);
    EXPECT_EQ(h.editor.iconOption, 3);
    EXPECT_EQ(h.editor.checks[static_cast<int>(CheckBoxId::Check3)], 0);
    EXPECT_EQ(h.editor.texts[2].size(), body.size() + 37);
    EXPECT_TRUE(h.editor.windowState.savedSnapshot.body == body);
}

// A text beyond what a message box could ever show is loaded only when the
// user says so; the question names the text and its length.
struct LargeCase {
    const char* name;
    std::size_t bodyUnits;
    std::size_t titleUnits;
    int answer;
    bool asked;
    bool read;
};

class LargeTexts : public ::testing::TestWithParam<LargeCase> {};

TEST_P(LargeTexts, AreLoadedOnlyWhenTheUserSaysSo) {
    const LargeCase& c = GetParam();
    ReaderHarness h;
    h.editSomethingElse();
    const std::string before = dump(h.editor);
    h.messages.answers = {c.answer};
    h.readLines({u"selectkey = MsgBox(\"" + std::u16string(c.bodyUnits, u'b') + u"\", 0 + 16, \"" +
                 std::u16string(c.titleUnits, u't') + u"\")"});
    ASSERT_EQ(h.messages.calls.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        const std::u16string name = c.bodyUnits > c.titleUnits ? u"本文" : u"タイトル";
        EXPECT_TRUE(h.messages.calls[0].prompt.starts_with(u"「/scripts/opened.vbs」の" + name + u"は 1,048,577 文字"));
        EXPECT_EQ(h.messages.calls[0].style, msgbox::YesNo + msgbox::Exclamation);
    }
    if (c.read) {
        EXPECT_EQ(h.editor.texts[0].size(), c.bodyUnits);
    } else {
        EXPECT_EQ(dump(h.editor), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LargeTexts,
    ::testing::Values(LargeCase{"AtTheMark", kLargeTextUnits, 5, 1, false, true},
                      LargeCase{"BodyBeyondYes", kLargeTextUnits + 1, 5, msgbox::ResultYes, true, true},
                      LargeCase{"BodyBeyondNo", kLargeTextUnits + 1, 5, msgbox::ResultNo, true, false},
                      LargeCase{"TitleBeyond", 3, kLargeTextUnits + 1, msgbox::ResultNo, true, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace bw::test
