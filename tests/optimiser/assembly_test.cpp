#include "optimisergroup.h"

#include "optimiser/wholepieces.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

using test::COptimiserGroup;

// A layout on the coil cutting the given parts, not turned.
std::unique_ptr<CLayout> MakeTestLayout(CCoil* coil, std::initializer_list<CCoilPart*> parts, double weight)
{
    CSlitPosList positions;
    for (CCoilPart* part : parts)
        positions.push_back(std::make_unique<CLayoutSlit>(0, part));
    return std::make_unique<CLayout>(coil, std::move(positions), weight, 0.0);
}

TEST(ApplyMinPatternWeight, KeepsTheOnlySourceOfAWidthAndRunsTheOthersLonger)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* a = g.AddSlit(300, 1000.0);
    CCoilPart* b = g.AddSlit(200, 1000.0);
    CCoilPart* c = g.AddSlit(250, 1000.0);
    CCoilPart* filler = g.AddFiller(100);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {a, b}, 400));
    opt->Results.Add(MakeTestLayout(coil, {a, filler}, 20)); // 300 is cut by the 400 kg layout
    opt->Results.Add(MakeTestLayout(coil, {c}, 30));         // the only 250
    CLayout* heavy = opt->Results.GetAt(0);
    CLayout* only = opt->Results.GetAt(2);

    opt->ApplyMinPatternWeight(50);

    ASSERT_EQ(opt->Results.GetCount(), 2);
    EXPECT_EQ(opt->Results.GetAt(0), heavy);
    EXPECT_EQ(opt->Results.GetAt(1), only);
    // The dropped 6 kg of 300 mm (300 / 1000 of 20 kg; the filler is not re-made) come from the
    // 400 kg layout, 300 / 1000 of whose weight is 300 mm: 20 kg more.
    EXPECT_NEAR(heavy->Weight, 420.0, 1e-6);
    // The only 250 mm is run up to the limit: no layout kept is lighter.
    EXPECT_NEAR(only->Weight, 50.0, 1e-6);
}

TEST(ApplyMinPatternWeight, LightLayoutsOfAWidthCutElsewhereAreDropped)
{
    struct Case {
        const char* what;
        std::vector<double> before; // kg of layouts of the same 300 mm slit
        std::vector<double> after;
    };
    const Case cases[] = {
        // The 30 kg layout is the first source of 300 mm and is run 20 kg longer for the other.
        {"two light ones", {20, 30}, {50}},
        {"one light one is run up to the limit", {30}, {50}},
        {"all heavy, in their order", {60, 70}, {60, 70}},
        {"exactly the limit is heavy", {50, 400}, {50, 400}},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        CCoil* coil = g.AddCoil(1000, 10000);
        CCoilPart* a = g.AddSlit(300, 1000.0);
        const auto opt = g.Make();
        for (double kg : c.before)
            opt->Results.Add(MakeTestLayout(coil, {a}, kg));
        opt->ApplyMinPatternWeight(50);
        ASSERT_EQ(static_cast<std::size_t>(opt->Results.GetCount()), c.after.size()) << c.what;
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_NEAR(opt->Results.GetAt(static_cast<int>(i))->Weight, c.after[i], 1e-6) << c.what;
    }
}

TEST(ApplyMinPatternWeight, ALayoutWithoutSlitsIsDropped)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* a = g.AddSlit(300, 1000.0);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {a}, 400));
    opt->Results.Add(MakeTestLayout(coil, {}, 10));
    opt->ApplyMinPatternWeight(50);
    ASSERT_EQ(opt->Results.GetCount(), 1);
    EXPECT_EQ(opt->Results.GetAt(0)->Weight, 400.0);
}

TEST(ApplyMinPatternWeight, StockLimitsTheReRunAndWhatItCannotMakeIsShort)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 950);
    CCoilPart* a = g.AddSlit(300, 1000.0);
    CCoilPart* b = g.AddSlit(200, 1000.0);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {a, b}, 900));
    // 300 / 1000 of 90 kg dropped: 27 kg of 300 mm, of which the 50 kg left on the coil make 15.
    opt->Results.Add(MakeTestLayout(coil, {a}, 90));

    opt->ApplyMinPatternWeight(500);

    ASSERT_EQ(opt->Results.GetCount(), 1);
    EXPECT_NEAR(opt->Results.GetAt(0)->Weight, 950.0, 1e-6);
    EXPECT_NEAR(opt->Stats.Shortfall, 12.0, 1e-6);
}

TEST(ApplyMinPatternWeight, AnOnlySourceTheStockCannotRunUpToTheLimitIsDropped)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 1000);
    CCoilPart* a = g.AddSlit(300, 1000.0);
    CCoilPart* b = g.AddSlit(200, 100.0);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {a}, 800));
    opt->Results.Add(MakeTestLayout(coil, {b}, 100)); // the only 200 mm, 400 kg short of the limit

    opt->ApplyMinPatternWeight(500);

    ASSERT_EQ(opt->Results.GetCount(), 1);
    EXPECT_NEAR(opt->Results.GetAt(0)->Weight, 800.0, 1e-6);
    EXPECT_NEAR(opt->Stats.Shortfall, 20.0, 1e-6);
}

// Two 600 kg stock rows merged into one working coil.
class SplitToStockRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        first = group.AddCoil(1000, 600);
        second = group.AddCoil(1000, 600);
        slit = group.AddSlit(500, 100.0);
        opt = group.Make();
        ASSERT_EQ(opt->WorkCoils.size(), 1u);
    }

    COptimiserGroup group;
    CCoil* first = nullptr;
    CCoil* second = nullptr;
    CCoilPart* slit = nullptr;
    std::unique_ptr<CPatternOptimiser> opt;
};

TEST_F(SplitToStockRowsTest, ALayoutLargerThanARowIsSplitAcrossTheRows)
{
    opt->Results.Add(MakeTestLayout(first, {slit}, 1000));
    opt->SplitToStockRows();

    ASSERT_EQ(opt->Results.GetCount(), 2);
    EXPECT_EQ(opt->Results.GetAt(0)->Coil, first);
    EXPECT_DOUBLE_EQ(opt->Results.GetAt(0)->Weight, 600.0);
    EXPECT_EQ(opt->Results.GetAt(1)->Coil, second);
    EXPECT_DOUBLE_EQ(opt->Results.GetAt(1)->Weight, 400.0);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[0].Remaining, 0.0);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[1].Remaining, 200.0);
}

TEST_F(SplitToStockRowsTest, ARowUpTo1KgShortTakesTheWholeLayout)
{
    opt->Results.Add(MakeTestLayout(first, {slit}, 601));
    opt->Results.Add(MakeTestLayout(first, {slit}, 595));
    opt->SplitToStockRows();

    // The second layout finds the first row at -1 kg and goes to the second row.
    ASSERT_EQ(opt->Results.GetCount(), 2);
    EXPECT_EQ(opt->Results.GetAt(0)->Coil, first);
    EXPECT_DOUBLE_EQ(opt->Results.GetAt(0)->Weight, 601.0);
    EXPECT_EQ(opt->Results.GetAt(1)->Coil, second);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[0].Remaining, -1.0);
}

TEST_F(SplitToStockRowsTest, WhatNoRowCanTakeStaysOnTheFirstRow)
{
    opt->CoilLinks[0].Remaining = 5; // below 10 kg: receives nothing
    opt->Results.Add(MakeTestLayout(first, {slit}, 900));
    opt->SplitToStockRows();

    ASSERT_EQ(opt->Results.GetCount(), 2);
    EXPECT_EQ(opt->Results.GetAt(0)->Coil, second);
    EXPECT_DOUBLE_EQ(opt->Results.GetAt(0)->Weight, 600.0);
    EXPECT_EQ(opt->Results.GetAt(1)->Coil, first);
    EXPECT_DOUBLE_EQ(opt->Results.GetAt(1)->Weight, 300.0);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[0].Remaining, 5.0);
}

TEST(SplitToPartRows, TheSmallerRowTakesItsShareFromTheHeaviestLayout)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* small = g.AddSlit(200, 100.0);
    CCoilPart* large = g.AddSlit(200, 300.0); // merged with the first row
    const auto opt = g.Make();
    ASSERT_EQ(opt->WorkParts.size(), 1u);
    // Layouts are made on the first row: 200 / 1000 of 1250 kg is 250 kg, of 750 kg 150 kg.
    opt->Results.Add(MakeTestLayout(coil, {small}, 750));
    opt->Results.Add(MakeTestLayout(coil, {small}, 1250));
    opt->SplitToPartRows();

    ASSERT_EQ(opt->Results.GetCount(), 3);
    EXPECT_NEAR(opt->Results.ProducedWeight(small->Name), 100.0, 1e-9);
    EXPECT_NEAR(opt->Results.ProducedWeight(large->Name), 300.0, 1e-9);
    // The 1250 kg layout was split: 500 kg for the small row, 750 kg left for the large one.
    const CLayout& split = *opt->Results.GetAt(2);
    EXPECT_TRUE(split.UsesPart(small));
    EXPECT_NEAR(split.Weight, 500.0, 1e-9);
    EXPECT_NEAR(opt->Results.GetAt(1)->Weight, 750.0, 1e-9);
    EXPECT_TRUE(opt->Results.GetAt(0)->UsesPart(large));
}

TEST(SplitToPartRows, RowsOfEqualWeightBothGetTheirShare)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* first = g.AddSlit(200, 200.0);
    CCoilPart* second = g.AddSlit(200, 200.0);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {first}, 1250));
    opt->Results.Add(MakeTestLayout(coil, {first}, 750));
    opt->SplitToPartRows();

    EXPECT_NEAR(opt->Results.ProducedWeight(first->Name), 200.0, 1e-9);
    EXPECT_NEAR(opt->Results.ProducedWeight(second->Name), 200.0, 1e-9);
}

TEST(SplitToPartRows, ThreeRowsAndARowThatIsNotFirst)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* a = g.AddSlit(200, 50.0);
    CCoilPart* b = g.AddSlit(200, 300.0); // the largest, not the first
    CCoilPart* c = g.AddSlit(200, 100.0);
    CCoilPart* other = g.AddSlit(300, 60.0);
    const auto opt = g.Make();
    opt->Results.Add(MakeTestLayout(coil, {a, a, other}, 1125)); // 450 kg of the 200 mm
    opt->SplitToPartRows();

    EXPECT_NEAR(opt->Results.ProducedWeight(a->Name), 50.0, 1e-9);
    EXPECT_NEAR(opt->Results.ProducedWeight(c->Name), 100.0, 1e-9);
    EXPECT_NEAR(opt->Results.ProducedWeight(b->Name), 300.0, 1e-9);
    EXPECT_NEAR(opt->Results.ProducedWeight(other->Name), 1125 * 0.3, 1e-9);
}

TEST(RoundUpToWholePieces, LengthensToWholePiecesOfTheLongestPart)
{
    struct Case {
        const char* what;
        double length;   // mm the layout runs
        double along;    // the part's dimension along the coil
        int rotated;
        double expected; // mm afterwards
    };
    const Case cases[] = {
        {"10250 mm of 1000 mm pieces", 10250, 1000, 0, 11000},
        {"within tolerance of whole pieces", 10000.000005, 1000, 0, 10000.000005},
        {"turned: its length lies along the coil", 10250, 1000, 1, 11000},
        {"already whole", 9000, 1500, 0, 9000},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        CCoil* coil = g.AddCoil(1000, 10000);
        // Not turned, the part's Width lies along the coil; turned, its Length.
        CCoilPart* part = c.rotated ? g.AddPart(c.along, 300, 10, 1) : g.AddPart(300, c.along, 10, 1);
        CSlitPosList positions;
        positions.push_back(std::make_unique<CLayoutSlit>(c.rotated, part));
        CLayout layout(coil, std::move(positions), 0, 0);
        layout.SetWeightFromLength(c.length);
        RoundUpToWholePieces(layout);
        EXPECT_NEAR(layout.UsedLength(), c.expected, 1e-7) << c.what;
    }
}

TEST(RoundUpToWholePieces, SlitsAreNotRoundedAndTheLongestNeedWins)
{
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1000, 10000);
    CCoilPart* slit = g.AddSlit(300, 100.0);
    CCoilPart* shortPieces = g.AddPart(200, 300, 10, 0);  // 10050 -> 10200
    CCoilPart* longPieces = g.AddPart(250, 4000, 10, 0);  // 10050 -> 12000
    CLayoutList layouts;
    layouts.Add(MakeTestLayout(coil, {slit}, 0));
    layouts.Add(MakeTestLayout(coil, {slit, shortPieces, longPieces}, 0));
    for (const auto& layout : layouts)
        layout->SetWeightFromLength(10050);
    RoundUpToWholePieces(layouts);
    EXPECT_NEAR(layouts.GetAt(0)->UsedLength(), 10050, 1e-7);
    EXPECT_NEAR(layouts.GetAt(1)->UsedLength(), 12000, 1e-7);
}

// Two layouts of 1000 mm pieces on one stock row, each planned at 10250 mm: rounding up wants
// 750 mm more of each.
TEST(RoundUpToWholePieces, NeverTakesMoreThanTheStockRowHolds)
{
    struct Case {
        const char* what;
        double spareMm; // what the row holds beyond the two planned runs
        double first;   // mm afterwards
        double second;
    };
    const Case cases[] = {
        {"room for both", 1500, 11000, 11000},
        {"room for one", 1000, 11000, 10000},
        {"no room: both lose their last piece", 0, 10000, 10000},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        CCoil* coil = g.AddCoil(1000, 1.0);
        CCoilPart* part = g.AddPart(300, 1000, 10, 0);
        CLayoutList layouts;
        for (int i = 0; i < 2; ++i) {
            layouts.Add(MakeTestLayout(coil, {part}, 0));
            layouts.GetAt(i)->SetWeightFromLength(10250);
        }
        CLayout probe(coil, {}, 0, 0);
        probe.SetWeightFromLength(2 * 10250 + c.spareMm);
        coil->WeightPerCoil = probe.Weight;
        RoundUpToWholePieces(layouts);
        EXPECT_NEAR(layouts.GetAt(0)->UsedLength(), c.first, 1e-6) << c.what;
        EXPECT_NEAR(layouts.GetAt(1)->UsedLength(), c.second, 1e-6) << c.what;
        EXPECT_LE(layouts.TotalWeight(), coil->TotalWeight() + 1e-9) << c.what;
    }
}

} // namespace
} // namespace vellicor
