#include "optimisergroup.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

using test::COptimiserGroup;

TEST(SelectPatterns, ProducesEachRequirementExactlyAtTheCheapestCost)
{
    // 300 mm takes a quarter of the 1200 mm coil in {900, 300}: 1000 kg of it needs 4000 kg, and
    // the same 4000 kg give the 3000 kg of 900 mm. Every other way leaves width unused.
    COptimiserGroup g;
    CCoil* coil = g.AddCoil(1200, 10000);
    CCoilPart* narrow = g.AddSlit(300, 1000.0);
    CCoilPart* wide = g.AddSlit(900, 3000.0);
    const auto opt = g.Make();
    opt->Run();

    ASSERT_EQ(opt->Results.GetCount(), 1);
    const CLayout& layout = *opt->Results.GetAt(0);
    EXPECT_EQ(layout.Coil, coil);
    EXPECT_NEAR(layout.Weight, 4000.0, 1e-6);
    ASSERT_EQ(layout.GetSlitCount(), 2);
    EXPECT_EQ(layout.GetSlit(0)->Part, wide);
    EXPECT_EQ(layout.GetSlit(1)->Part, narrow);
    EXPECT_NEAR(opt->Results.ProducedWeight(narrow->Name), 1000.0, 1e-6);
    EXPECT_NEAR(opt->Results.ProducedWeight(wide->Name), 3000.0, 1e-6);
    EXPECT_TRUE(opt->Columns.empty());
    EXPECT_EQ(opt->PatternPool.Size(), 0u);
}

TEST(SelectPatterns, NoLayoutAtAllWhenTheCoilsCannotCarryTheDemand)
{
    struct Case {
        const char* what;
        double coilKg;
        double demandKg;
    };
    const Case cases[] = {
        {"short of weight", 1500.0, 2000.0},
        {"barely short", 1999.0, 2000.0},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1000, c.coilKg);
        g.AddSlit(250, c.demandKg / 2);
        g.AddSlit(500, c.demandKg / 2);
        const auto opt = g.Make();
        EXPECT_EQ(opt->Run(), 1) << c.what;
        EXPECT_TRUE(opt->Results.IsEmpty()) << c.what;
    }
}

TEST(SelectPatterns, EveryCoilRowLimitsItsColumns)
{
    // The cheap coil alone could do it, but carries only 1000 kg: the rest comes from the dear one.
    COptimiserGroup g;
    CCoil* cheap = g.AddCoil(1000, 1000, 1, 1.0);
    CCoil* dear = g.AddCoil(1000, 5000, 1, 2.0);
    g.AddSlit(500, 1500.0);
    const auto opt = g.Make();
    opt->Run();

    double fromCheap = 0.0;
    double fromDear = 0.0;
    for (const auto& layout : opt->Results) {
        ASSERT_TRUE(layout->Coil == cheap || layout->Coil == dear);
        (layout->Coil == cheap ? fromCheap : fromDear) += layout->Weight;
    }
    EXPECT_NEAR(fromCheap, 1000.0, 1e-6);
    EXPECT_NEAR(fromDear, 500.0, 1e-6);
}

TEST(SelectPatterns, LpSolvePrintsNothing)
{
    for (double demand : {1000.0, 1e9}) {
        COptimiserGroup g;
        g.AddCoil(1000, 5000);
        g.AddSlit(333.3, demand);
        g.AddSlit(111.1, demand / 3);
        const auto opt = g.Make();
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        opt->Run();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST(MakeLayout, WeighsTheWholeStockRowAndRefersToTheDocumentsRecords)
{
    COptimiserGroup g;
    CCoil* first = g.AddCoil(1250, 500, 1, 1.0, 25, 25);
    g.AddCoil(1250, 500, 1, 1.0, 25, 25); // merged into the same working coil
    CCoilPart* part = g.AddPart(500, 300, 100, 1);
    g.AddPart(500, 300, 50, 1); // merged: the layout names the first row
    CCoilPart* filler = g.AddFiller(100);
    const auto opt = g.Make();
    opt->AddFillerSlits();

    // Width table: 500 (not turned) and 300 (turned), then the filler.
    CPatternColumn column{&opt->CoilInfos[0], CPattern({0, 1, 2}, 900)};
    opt->MakeLayout(column, 900);

    ASSERT_EQ(opt->Results.GetCount(), 1);
    const CLayout& layout = *opt->Results.GetAt(0);
    EXPECT_EQ(layout.Coil, first);
    EXPECT_DOUBLE_EQ(layout.Weight, 937.5);
    ASSERT_EQ(layout.GetSlitCount(), 3);
    EXPECT_EQ(layout.GetSlit(0)->Part, part);
    EXPECT_EQ(layout.GetSlit(0)->Rotated, 0);
    EXPECT_EQ(layout.GetSlit(1)->Part, part);
    EXPECT_EQ(layout.GetSlit(1)->Rotated, 1);
    EXPECT_EQ(layout.GetSlit(1)->SlitWidth(), 300.0);
    EXPECT_EQ(layout.GetSlit(2)->Part, filler);
    EXPECT_EQ(layout.GetSlit(2)->Rotated, 0);
}

} // namespace
} // namespace vellicor
