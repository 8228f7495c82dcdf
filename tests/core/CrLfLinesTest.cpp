#include "platform/CrLfLines.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace bw::test {
namespace {

// A fill step that hands out `text` in pieces of the given sizes, repeating the
// last size, so that CR LF pairs fall across step boundaries in every way.
struct ScriptedFill {
    std::string text;
    std::vector<std::size_t> sizes;
    std::size_t at = 0;
    std::size_t step = 0;
    int calls = 0;

    Fill operator()(std::string& pending) {
        ++calls;
        if (at == text.size()) {
            return Fill::End;
        }
        const std::size_t size = std::min(sizes[std::min(step++, sizes.size() - 1)], text.size() - at);
        pending.append(text, at, size);
        at += size;
        return Fill::More;
    }
};

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::size_t> sizes;
    std::size_t maxLines;
    std::vector<std::string> lines;
};

class CrLfLines : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CrLfLines, SplitsTheSameWhereverTheStepsEnd) {
    const SplitCase& c = GetParam();
    std::vector<std::string> lines;
    ScriptedFill fill{c.text, c.sizes};
    EXPECT_TRUE(readCrLfLines<char>(std::ref(fill), c.maxLines, lines, c.text.size()));
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrLfLines,
    ::testing::Values(SplitCase{"OneByteSteps", "ab\r\n\r\nc\rd\ne", {1}, 8, {"ab", "", "c\rd\ne"}},
                      SplitCase{"CrEndsAStep", "ab\r\ncd", {3}, 8, {"ab", "cd"}},
                      SplitCase{"CrEndsAStepWithoutLf", "ab\rcd\r", {3}, 8, {"ab\rcd\r"}},
                      SplitCase{"CrCrLfAcrossSteps", "a\r\r\nb", {2, 1}, 8, {"a\r", "b"}},
                      SplitCase{"SeveralLinesInOneStep", "1\r\n2\r\n3\r\n4", {100}, 8, {"1", "2", "3", "4"}},
                      SplitCase{"StopsAtMaxLines", "1\r\n2\r\n3\r\n", {1}, 2, {"1", "2"}},
                      SplitCase{"EmptyText", "", {1}, 8, {}}, SplitCase{"OnlyCrLf", "\r\n", {1}, 8, {""}},
                      SplitCase{"ZeroLinesWanted", "a\r\n", {1}, 0, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CrLfLinesRead, StopsReadingOnceTheLastWantedLineIsComplete) {
    std::vector<std::string> lines;
    ScriptedFill fill{"1\r\n2\r\n" + std::string(1000, 'x'), {2}};
    ASSERT_TRUE(readCrLfLines<char>(std::ref(fill), 2, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "2"}));
    EXPECT_LE(fill.at, 8u);
}

TEST(CrLfLinesRead, ZeroLinesWantedReadsNothing) {
    std::vector<std::string> lines;
    ScriptedFill fill{"a\r\n", {1}};
    EXPECT_TRUE(readCrLfLines<char>(std::ref(fill), 0, lines, 3));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(fill.calls, 0);
}

// Short lines are copied out at their own size: a line never keeps the read
// buffer's room, so many short lines cost little memory.
TEST(CrLfLinesRead, ShortLinesDoNotKeepTheReadBuffer) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
    }
    for (const std::vector<std::size_t>& sizes : {std::vector<std::size_t>{kCrLfChunk}, std::vector<std::size_t>{7}}) {
        std::vector<std::string> lines;
        ScriptedFill fill{text, sizes};
        ASSERT_TRUE(readCrLfLines<char>(std::ref(fill), 1000, lines, text.size()));
        ASSERT_EQ(lines.size(), 1000u);
        for (const std::string& line : lines) {
            EXPECT_LT(line.capacity(), 2 * line.size() + 32) << line;
        }
    }
}

// A line that is most of the file keeps the buffer it was read into, and its
// characters come out whole wherever the steps ended.
TEST(CrLfLinesRead, ALongLineComesOutWhole) {
    const std::string longLine(3 * kCrLfChunk + 5, 'x');
    std::vector<std::string> lines;
    ScriptedFill fill{longLine + "\r\nshort\r\n" + longLine, {kCrLfChunk}};
    ASSERT_TRUE(readCrLfLines<char>(std::ref(fill), 8, lines, fill.text.size()));
    EXPECT_EQ(lines, (std::vector<std::string>{longLine, "short", longLine}));
    EXPECT_LT(lines[1].capacity(), 32u);
}

TEST(CrLfLinesRead, AFailedStepFailsTheRead) {
    std::vector<std::string> lines;
    int calls = 0;
    const auto failSecond = [&calls](std::string& pending) {
        if (++calls == 1) {
            pending += "a\r\nb";
            return Fill::More;
        }
        return Fill::Failed;
    };
    EXPECT_FALSE(readCrLfLines<char>(failSecond, 8, lines));
}

TEST(CrLfLinesRead, ByteFillReadsUntilTheEndAndReportsErrors) {
    const std::string text = std::string(kCrLfChunk + 3, 'a') + "\r\nb";
    std::size_t at = 0;
    std::vector<std::string> lines;
    const bool ok = readCrLfLines<char>(byteFill([&](char* buffer, std::size_t capacity) -> long {
                                            const std::size_t n = std::min(capacity, text.size() - at);
                                            text.copy(buffer, n, at);
                                            at += n;
                                            return static_cast<long>(n);
                                        }),
                                        8, lines);
    EXPECT_TRUE(ok);
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(kCrLfChunk + 3, 'a'), "b"}));

    lines.clear();
    EXPECT_FALSE(readCrLfLines<char>(byteFill([](char*, std::size_t) -> long { return -1; }), 8, lines));
}

}  // namespace
}  // namespace bw::test
