#include "optimisergroup.h"

#include "optimiser/patternscore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace vellicor {
namespace {

using test::COptimiserGroup;
using test::PositionLists;
using Slits = std::vector<SlitPos>;

TEST(GeneratePatterns, FourHundredAndThreeHundredOnA1250Coil)
{
    COptimiserGroup g;
    g.AddCoil(1250);
    g.AddSlit(400, 1000.0); // position 0
    g.AddSlit(300, 1000.0); // position 1
    const auto opt = g.Make();
    opt->GeneratePatterns();

    // Every combination of at most 1250 mm, widest first, fewer slits first at equal width.
    const std::vector<Slits> expected = {
        {0, 0, 0}, {1, 1, 1, 1}, {0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {0, 0}, {0, 1}, {1, 1}, {0}, {1},
    };
    EXPECT_EQ(PositionLists(opt->PatternPool), expected);
    // Pass 3 makes only {300 x 4} again, which is known.
    EXPECT_EQ(opt->Iteration, 3);
}

TEST(GeneratePatterns, SinglesStayWhateverTheirWidth)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    g.AddPart(300, 1100, 10, 1); // 1100 turned is wider than the coil: only its single is formed
    const auto opt = g.Make();
    opt->GeneratePatterns();
    ASSERT_EQ(opt->Widths[0].Width, 1100.0);
    const auto lists = PositionLists(opt->PatternPool);
    EXPECT_EQ(std::count(lists.begin(), lists.end(), Slits{0}), 1);
    for (const auto& p : lists)
        EXPECT_TRUE(p.size() == 1 || std::count(p.begin(), p.end(), 0) == 0);
}

TEST(GeneratePatterns, KerfCountsOncePerSlit)
{
    COptimiserGroup g;
    g.settings.Kerf = 2;
    g.AddCoil(1250);
    g.AddSlit(400, 1000.0);
    g.AddSlit(300, 1000.0);
    const auto opt = g.Make();
    opt->GeneratePatterns();

    std::map<Slits, double> totals;
    for (std::size_t i = 0; i < opt->PatternPool.Size(); ++i)
        totals[Slits(opt->PatternPool.Positions(i).begin(), opt->PatternPool.Positions(i).end())] =
            opt->PatternPool.Entries[i].Total;
    EXPECT_EQ(totals.at({0, 1}), 704.0);
    EXPECT_EQ(totals.at({1, 1, 1, 1}), 1208.0);
    EXPECT_EQ(totals.count({0, 0, 0}), 1u); // 1206
    EXPECT_EQ(totals.count({0, 1, 1, 1}), 0u);
}

TEST(GeneratePatterns, KnifeAndWidthLimits)
{
    struct Case {
        int maxKnives;
        int maxDifSlits;
        int difSlitLimit;
    };
    const Case cases[] = {{10, 11, 0}, {10, 12, 0}, {10, 3, 3}, {4, 5, 0}, {4, 4, 4}};
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.settings.MaxKnives = c.maxKnives;
        g.settings.MaxDifSlits = c.maxDifSlits;
        g.AddCoil(2000);
        for (double w : {90.0, 100.0, 110.0, 120.0, 130.0})
            g.AddSlit(w, 500.0);
        const auto opt = g.Make();
        EXPECT_EQ(opt->DifSlitLimit, c.difSlitLimit) << c.maxKnives << "/" << c.maxDifSlits;
        opt->GeneratePatterns();

        std::size_t longest = 0;
        int mostDistinct = 0;
        for (std::size_t i = 0; i < opt->PatternPool.Size(); ++i) {
            longest = std::max(longest, opt->PatternPool.Positions(i).size());
            mostDistinct = std::max(mostDistinct, DistinctCount(opt->PatternPool.Positions(i)));
        }
        EXPECT_EQ(longest, static_cast<std::size_t>(c.maxKnives + 1)) << c.maxKnives << "/" << c.maxDifSlits;
        EXPECT_EQ(mostDistinct, c.difSlitLimit ? c.difSlitLimit : 5) << c.maxKnives << "/" << c.maxDifSlits;
    }
}

TEST(AddFullWidthPatterns, RepeatsEveryWidthAcrossEachCoilRegardlessOfKnives)
{
    struct Case {
        double kerf;
        double width;
        std::size_t slits;
        double total;
    };
    const Case cases[] = {
        {0, 20, 62, 1240},  // 62 slits although combinations stop at 11
        {2, 300, 4, 1208},  // 1250 / 302 = 4.13
        {0, 1250, 1, 1250}, // exactly one
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.settings.Kerf = c.kerf;
        g.AddCoil(1250);
        g.AddSlit(c.width, 100.0);
        const auto opt = g.Make();
        opt->GeneratePatterns();
        opt->AddFullWidthPatterns();
        const Slits full(c.slits, 0);
        bool found = false;
        for (std::size_t i = 0; i < opt->PatternPool.Size(); ++i) {
            const auto p = opt->PatternPool.Positions(i);
            if (Slits(p.begin(), p.end()) == full) {
                EXPECT_FALSE(found) << "the full-width pattern is in the pool twice";
                EXPECT_EQ(opt->PatternPool.Entries[i].Total, c.total);
                found = true;
            }
        }
        EXPECT_TRUE(found) << c.width;
    }
}

TEST(AddFullWidthPatterns, RepeatsStopAtTheSlitsALayoutCanHold)
{
    struct Case {
        const char* what;
        double coilWidth;
        double slitWidth;
    };
    const Case cases[] = {
        {"the widest coil a double holds", 1e308, 100},
        {"a slit of a ten-thousandth of a millimetre", 1250, 0.0001},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.AddCoil(c.coilWidth);
        g.AddSlit(c.slitWidth, 100.0);
        const auto opt = g.Make();
        opt->GeneratePatterns();
        opt->AddFullWidthPatterns();
        std::size_t longest = 0;
        for (std::size_t i = 0; i < opt->PatternPool.Size(); ++i)
            longest = std::max(longest, opt->PatternPool.Positions(i).size());
        EXPECT_EQ(longest, MaxLayoutSlits) << c.what;
    }
}

TEST(AddFullWidthPatterns, ThePoolStaysSortedAndUnique)
{
    COptimiserGroup g;
    g.AddCoil(1250);
    g.AddCoil(1000);
    g.AddSlit(400, 1000.0);
    g.AddSlit(300, 1000.0);
    const auto opt = g.Make();
    opt->GeneratePatterns();
    opt->AddFullWidthPatterns();
    // {400 x 3} and {300 x 4} fill the 1250 coil and are known; {400 x 2} and {300 x 3} fill the
    // 1000 coil and are known too: nothing new.
    const std::vector<Slits> expected = {
        {0, 0, 0}, {1, 1, 1, 1}, {0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {0, 0}, {0, 1}, {1, 1}, {0}, {1},
    };
    EXPECT_EQ(PositionLists(opt->PatternPool), expected);
}

TEST(BuildColumns, PatternsFillingHalfToAllOfACoil)
{
    COptimiserGroup g;
    g.AddCoil(1001);
    g.AddCoil(1000);
    g.AddSlit(500, 1000.0);
    const auto opt = g.Make();
    opt->GeneratePatterns();
    opt->AddFullWidthPatterns();
    opt->BuildColumns();

    // {500, 500} fills both coils; {500} is half of 1000 but less than half of 1001.
    ASSERT_EQ(opt->Columns.size(), 3u);
    EXPECT_EQ(opt->Columns[0].Coil->UsableWidth, 1001.0);
    EXPECT_EQ(opt->Columns[0].Pattern.Positions, (Slits{0, 0}));
    EXPECT_EQ(opt->Columns[1].Coil->UsableWidth, 1000.0);
    EXPECT_EQ(opt->Columns[1].Pattern.Positions, (Slits{0, 0}));
    EXPECT_EQ(opt->Columns[2].Pattern.Positions, (Slits{0}));
    EXPECT_EQ(opt->Columns[2].Pattern.Total, 500.0);
}

TEST(AddFillerSlits, WidestFillerFirstThenNarrowerOnesInWhatIsLeft)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    g.AddSlit(750, 1000.0);
    g.AddFiller(40);
    g.AddFiller(100);
    const auto opt = g.Make();
    opt->GeneratePatterns();
    opt->AddFullWidthPatterns();
    opt->BuildColumns();
    const std::size_t pool = opt->PatternPool.Size();
    opt->AddFillerSlits();

    ASSERT_EQ(opt->Widths.size(), 3u);
    EXPECT_EQ(opt->Widths[1].Width, 100.0);
    EXPECT_EQ(opt->Widths[2].Width, 40.0);
    ASSERT_EQ(opt->Columns.size(), 1u);
    EXPECT_EQ(opt->Columns[0].Pattern.Positions, (Slits{0, 1, 1, 2}));
    EXPECT_EQ(opt->Columns[0].Pattern.Total, 990.0);
    EXPECT_EQ(opt->PatternPool.Size(), pool);
    EXPECT_EQ(opt->PatternPool.Positions(0).size(), 1u);
}

TEST(AddFillerSlits, StopsAtTheKnifeLimit)
{
    COptimiserGroup g;
    g.settings.MaxKnives = 2;
    g.AddCoil(1000);
    g.AddSlit(300, 1000.0);
    g.AddFiller(50);
    const auto opt = g.Make();
    opt->GeneratePatterns();
    opt->AddFullWidthPatterns();
    opt->BuildColumns();
    opt->AddFillerSlits();

    // {300 x 3} already has MaxKnives + 1 slits; {300 x 2} takes one filler and is then full.
    ASSERT_EQ(opt->Columns.size(), 2u);
    EXPECT_EQ(opt->Columns[0].Pattern.Positions, (Slits{0, 0, 0}));
    EXPECT_EQ(opt->Columns[1].Pattern.Positions, (Slits{0, 0, 1}));
}

// Ten positions of equal demand, so that every position's quotas are the floors (150 and 75).
class PrunePatternsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        group.AddCoil(5000);
        for (int k = 0; k < 10; ++k)
            group.AddSlit(200.0 - 7.0 * k, 1000.0);
        opt = group.Make();
        opt->Iteration = 2;
    }

    // The first `count` multisets of positions, of two to five slits.
    CPatternList Fresh(std::size_t count) const
    {
        CPatternList list;
        const std::vector<Slits> all = test::Multisets(10, 2, 5);
        for (std::size_t i = 0; i < count; ++i)
            list.Add(all[i], PatternTotal(all[i], opt->Widths, 0.0));
        return list;
    }

    COptimiserGroup group;
    std::unique_ptr<CPatternOptimiser> opt;
};

TEST_F(PrunePatternsTest, BelowTheLimitNothingIsPruned)
{
    CPatternList fresh = Fresh(1209);
    opt->PrunePatterns(fresh);
    EXPECT_EQ(fresh.Size(), 1209u);
}

TEST_F(PrunePatternsTest, AtTheLimitEveryPositionKeepsItsBestPatterns)
{
    CPatternList fresh = Fresh(1210);
    std::vector<Slits> input = PositionLists(fresh);
    std::vector<double> totals;
    for (const auto& p : input)
        totals.push_back(PatternTotal(p, opt->Widths, 0.0));
    opt->PrunePatterns(fresh);
    const auto kept = PositionLists(fresh);
    const std::set<Slits> keptSet(kept.begin(), kept.end());

    ASSERT_LT(kept.size(), 1210u);
    EXPECT_EQ(keptSet.size(), kept.size());

    // Utilisation order: widest first, then fewer slits, then smaller positions (the totals of
    // these patterns never fall within the tolerance of each other unless equal).
    std::vector<std::size_t> order(input.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (totals[a] != totals[b])
            return totals[a] > totals[b];
        if (input[a].size() != input[b].size())
            return input[a].size() < input[b].size();
        return input[a] < input[b];
    });
    for (SlitPos k = 0; k < 10; ++k) {
        int counted = 0;
        for (std::size_t i : order) {
            if (counted == 150)
                break;
            if (std::find(input[i].begin(), input[i].end(), k) == input[i].end())
                continue;
            ++counted;
            EXPECT_TRUE(keptSet.count(input[i])) << "position " << k;
        }
    }

    // The second selection keeps the 75 best balanced patterns of every position as well, so
    // more survive than the first selection alone.
    std::set<Slits> byUse;
    for (SlitPos k = 0; k < 10; ++k) {
        int counted = 0;
        for (std::size_t i : order)
            if (counted < 150 && std::find(input[i].begin(), input[i].end(), k) != input[i].end()) {
                byUse.insert(input[i]);
                ++counted;
            }
    }
    EXPECT_GT(kept.size(), byUse.size());

    // Survivors come sorted by the pattern order.
    for (std::size_t i = 1; i < fresh.Size(); ++i)
        EXPECT_FALSE(fresh.Before(fresh.Entries[i], fresh.Entries[i - 1]));
}

TEST(PrunePatterns, PrunesFromTheLimitOfEachPass)
{
    struct Case {
        int iteration;
        std::size_t limit;
    };
    const Case cases[] = {{2, 1210}, {3, 1331}, {4, 1464}, {5, 1610}, {6, 1771}, {8, 2143}, {10, 2593}};
    // Two positions of equal demand: their quotas together stay below every limit.
    COptimiserGroup g;
    g.AddCoil(1e6);
    g.AddSlit(2, 100.0);
    g.AddSlit(1, 100.0);
    const auto opt = g.Make();
    std::vector<Slits> all;
    for (std::size_t size = 1; all.size() < 2600; ++size)
        for (std::size_t ones = 0; ones <= size; ++ones) {
            Slits p(size - ones, 0);
            p.insert(p.end(), ones, 1);
            all.push_back(p);
        }
    for (const Case& c : cases) {
        opt->Iteration = c.iteration;
        for (std::size_t count : {c.limit - 1, c.limit}) {
            CPatternList fresh;
            for (std::size_t i = 0; i < count; ++i)
                fresh.Add(all[i], PatternTotal(all[i], opt->Widths, 0.0));
            opt->PrunePatterns(fresh);
            if (count < c.limit)
                EXPECT_EQ(fresh.Size(), count) << c.iteration;
            else
                EXPECT_LT(fresh.Size(), count) << c.iteration;
        }
    }
}

TEST(SortUnique, SortsByThePatternOrderAndDropsDuplicates)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    g.AddSlit(400, 100.0);
    g.AddSlit(300, 100.0);
    g.AddSlit(200, 100.0);
    const auto opt = g.Make();
    CPatternList list;
    for (const Slits& p : std::vector<Slits>{{1}, {0, 1}, {0}, {2}, {0, 1}, {1, 1, 2}, {0, 2}, {0, 1}})
        list.Add(p, PatternTotal(p, opt->Widths, 0.0));
    SortUnique(list);
    const std::vector<Slits> expected = {{1, 1, 2}, {0, 1}, {0, 2}, {0}, {1}, {2}};
    EXPECT_EQ(PositionLists(list), expected);
}

TEST(SortUnique, StaysInBoundsWhenTotalsChainWithinTheTolerance)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    for (int k = 0; k < 8; ++k)
        g.AddSlit(100.0 + k, 100.0);
    const auto opt = g.Make();

    // Totals 6e-6 apart: neighbours compare equal, distant ones do not, so the order is not a
    // strict weak order. No two patterns are equal.
    std::vector<Slits> pairs;
    for (SlitPos a = 0; a < 8; ++a)
        for (SlitPos b = a; b < 8; ++b)
            pairs.push_back({a, b});
    CPatternList list;
    std::set<std::pair<Slits, double>> made;
    for (std::size_t i = 0; i < 3000; ++i) {
        const Slits& p = pairs[i % pairs.size()];
        const double total = 500.0 + 6e-6 * static_cast<double>(i % 500);
        list.Add(p, total);
        made.insert({p, total});
    }
    SortUnique(list);
    std::set<std::pair<Slits, double>> sorted;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const auto p = list.Positions(i);
        sorted.insert({Slits(p.begin(), p.end()), list.Entries[i].Total});
    }
    EXPECT_EQ(list.Size(), made.size());
    EXPECT_EQ(sorted, made);
}

} // namespace
} // namespace vellicor
