// Cases that pass, skip and fail on demand, for the test of what a suite's exit status tells CTest
// (outcome_test.sh).
#include <gtest/gtest.h>

TEST(Probe, Passes)
{
    EXPECT_EQ(2 + 2, 4);
}

TEST(Probe, IsSkipped)
{
    GTEST_SKIP() << "skipped on purpose";
}

TEST(Probe, Fails)
{
    ADD_FAILURE() << "failed on purpose";
}
