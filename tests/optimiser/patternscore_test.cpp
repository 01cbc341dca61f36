#include "optimiser/patternscore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vellicor {
namespace {

using Slits = std::vector<SlitPos>;

// A width table over hand-made requirements: A (100 kg) at 300, B (50 kg) at 200, a turnable part
// T (80 kg) at 500 and 250, a 1 kg requirement D at 300 and two fillers at 100 and 60.
class ScoreTable : public ::testing::Test {
protected:
    ScoreTable()
    {
        widths = {{300, &a}, {200, &b}, {500, &t}, {250, &t}, {300, &d}, {100, &f1}, {60, &f2}};
    }

    CPatternView View(const Slits& p)
    {
        slits = p;
        return {slits, PatternTotal(slits, widths, 0.0)};
    }

    CPartInfo a{0, 300, 300, 0, InfoRequirement, 100.0};
    CPartInfo b{1, 200, 200, 0, InfoRequirement, 50.0};
    CPartInfo t{2, 500, 250, 1, InfoRequirement, 80.0};
    CPartInfo d{3, 300, 300, 0, InfoRequirement, 1.0};
    CPartInfo f1{0, 100, 100, 0, InfoFiller, -1.0};
    CPartInfo f2{1, 60, 60, 0, InfoFiller, -1.0};
    std::vector<CSlitWidth> widths;
    Slits slits;
};

TEST_F(ScoreTable, BalanceOfTheShortestCompleteRunOverTheDemand)
{
    // A gets 600 of 800 mm: 800 * 100 / 600 = 133.3; B 800 * 50 / 200 = 200; over 150 kg.
    EXPECT_NEAR(Balance(View({0, 0, 1}), widths), (800.0 * 100 / 600) / 150, 1e-12);
    // Both widths of a turnable part serve the same requirement.
    EXPECT_DOUBLE_EQ(Balance(View({2, 3}), widths), 1.0);
}

TEST_F(ScoreTable, BalanceAfterLongestTakesAwayTheLongestRun)
{
    // B needs the longest run (200); without its 200 mm, A alone: 600 * 100 / 600 over 100 kg.
    EXPECT_DOUBLE_EQ(BalanceAfterLongest(View({0, 0, 1}), widths), 1.0);
    // A, B and T twice at 250 (1000 mm): runs 333 (A), 250 (B) and 160 (T). Without A's 300 mm:
    // B 700 * 50 / 200 = 175, T 700 * 80 / 500 = 112, over 130 kg.
    EXPECT_NEAR(BalanceAfterLongest(View({0, 1, 3, 3}), widths), 112.0 / 130, 1e-12);
}

TEST_F(ScoreTable, FillersDriveTheScoreNegativeWhileTheDemandIsPositive)
{
    EXPECT_LT(Balance(View({0, 5}), widths), 0.0);
}

TEST_F(ScoreTable, UndefinedCornersScoreZero)
{
    struct Case {
        const char* what;
        Slits pattern;
        bool afterLongest;
    };
    const Case cases[] = {
        {"demand sums to zero (1 kg and a filler)", {4, 5}, false},
        {"nothing left after the longest", {0, 0}, true},
        {"no requirement with a positive run", {5, 6}, true},
        {"empty pattern", {}, false},
        {"empty pattern", {}, true},
    };
    for (const Case& c : cases) {
        const double score =
            c.afterLongest ? BalanceAfterLongest(View(c.pattern), widths) : Balance(View(c.pattern), widths);
        EXPECT_EQ(score, 0.0) << c.what;
    }
}

} // namespace
} // namespace vellicor
