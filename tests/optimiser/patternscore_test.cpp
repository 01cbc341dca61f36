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

// Requirements whose demand is proportional to their width in the pattern are perfectly balanced:
// both balance scores are 1.
struct CBalancedPattern {
    explicit CBalancedPattern(std::vector<double> slitWidths)
    {
        infos.reserve(slitWidths.size());
        for (double w : slitWidths) {
            infos.push_back({static_cast<int>(infos.size()), w, w, 0, InfoRequirement, w});
            widths.push_back({w, &infos.back()});
            slits.push_back(static_cast<SlitPos>(slits.size()));
        }
    }

    CPatternView View() const { return {slits, PatternTotal(slits, widths, 0.0)}; }

    std::vector<CPartInfo> infos;
    std::vector<CSlitWidth> widths;
    Slits slits;
};

TEST(ScoreColumn, OffcutDiscount)
{
    struct Case {
        double leftover;
        double minOffCut;
        double cost;
    };
    const Case cases[] = {
        {100, 50, 1.92},     // u = 0.9, d = 1
        {100, 100.05, 1.92}, // 100 + 0.1 > 100.05
        {100, 100.1, 2.0},   // not an offcut
        {400, 10, 1.65},     // u = 0.6, d = 0.8
    };
    for (const Case& c : cases) {
        const CCoilInfo coil{0, 1000, 5000, 2.0};
        CBalancedPattern p({1000 - c.leftover});
        EXPECT_NEAR(ScoreColumn(coil, p.View(), p.widths, c.minOffCut), c.cost, 1e-12)
            << c.leftover << " / " << c.minOffCut;
    }
}

TEST(ScoreColumn, BonusForFullBalancedPatternsOfManyWidths)
{
    const CCoilInfo coil{0, 1000, 5000, 2.0};
    const double twoThirds = 2.0 / 3.0;
    struct Case {
        const char* what;
        std::vector<double> widths;
        double f; // 1: no bonus
    };
    const Case cases[] = {
        // F = 4 * 2/3 + 0.99 = 3.657; G = 3 + 0.99 replaces it.
        {"six widths, G is larger", {100, 150, 160, 170, 190, 220}, 3 + 0.99},
        // F = 7 * 2/3 + 0.99 = 5.657 beats G = 4 + 0.99.
        {"nine widths, F is larger", {80, 90, 100, 105, 110, 115, 120, 130, 140}, 7 * twoThirds + 0.99},
        // dc 3: only G = 1 + 0.99.
        {"three widths", {300, 340, 350}, 1 + 0.99},
        {"two widths: no bonus", {490, 500}, 1},
        {"utilisation exactly 0.985: no bonus", {100, 150, 160, 170, 190, 215}, 1},
    };
    for (const Case& c : cases) {
        CBalancedPattern p(c.widths);
        const double expected = c.f > 1 ? 0.7 * 2.0 + 0.3 * 2.0 / c.f : 2.0;
        // A minimum offcut above the leftover keeps the offcut discount out.
        EXPECT_NEAR(ScoreColumn(coil, p.View(), p.widths, 100), expected, 1e-12) << c.what;
    }
}

TEST(ScoreColumn, FillerSlitsKeepTheBonusAway)
{
    // Five balanced requirements (800 mm) and 200 mm more of a filler, or of a sixth requirement.
    const CCoilInfo coil{0, 1000, 5000, 2.0};
    CBalancedPattern withRequirement({100, 150, 160, 170, 220, 100});
    withRequirement.infos[5].Amount = 200.0; // its 200 mm
    withRequirement.slits.push_back(5);
    EXPECT_LT(ScoreColumn(coil, withRequirement.View(), withRequirement.widths, 100), 2.0);

    CBalancedPattern withFiller({100, 150, 160, 170, 220, 100});
    withFiller.infos[5].InfoKind = InfoFiller;
    withFiller.infos[5].Amount = -1.0;
    withFiller.slits.push_back(5);
    EXPECT_EQ(ScoreColumn(coil, withFiller.View(), withFiller.widths, 100), 2.0);
}

} // namespace
} // namespace vellicor
