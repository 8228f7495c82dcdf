#include "support/ProcessInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace bw::test {
namespace {

TEST(ProcessInfo, KnowsWhenThisProcessStartedAndTheMostMemoryItHeld) {
    const double ms = millisecondsSinceProcessStart();
    EXPECT_GT(ms, 0.0);
    EXPECT_LT(ms, 10 * 60 * 1000.0);

    // 64 MiB written to are resident, at least while they are in use.
    const std::vector<char> block(std::size_t{64} << 20, '\1');
    EXPECT_GE(peakResidentKb(), 64 * 1024);
    EXPECT_EQ(block.back(), '\1');
}

}  // namespace
}  // namespace bw::test
