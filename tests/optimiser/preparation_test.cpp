#include "optimisergroup.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

using test::COptimiserGroup;

TEST(PrepareCoils, RowsAgreeingInUsableWidthAndCostMergeIntoOneWorkingCoil)
{
    COptimiserGroup g;
    // 1250 - 25 and 1255 - 30 are both 1225 usable; the costs make the usable cost per kg agree.
    CCoil* a = g.AddCoil(1250, 500, 2, 1.0, 10, 15);
    CCoil* b = g.AddCoil(1255, 700, 1, 1250.0 / 1255.0, 15, 15);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkCoils.size(), 1u);
    const CCoil& work = *opt->WorkCoils[0];
    EXPECT_EQ(work.Qty, 1);
    EXPECT_DOUBLE_EQ(work.WeightPerCoil, 1700.0);
    ASSERT_EQ(opt->CoilLinks.size(), 2u);
    EXPECT_EQ(opt->CoilLinks[0].Row, a);
    EXPECT_EQ(opt->CoilLinks[1].Row, b);
    EXPECT_EQ(opt->CoilLinks[0].Work, &work);
    EXPECT_EQ(opt->CoilLinks[1].Work, &work);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[0].Remaining, 1000.0);
    EXPECT_DOUBLE_EQ(opt->CoilLinks[1].Remaining, 700.0);
    ASSERT_EQ(opt->CoilInfos.size(), 1u);
    EXPECT_DOUBLE_EQ(opt->CoilInfos[0].UsableWeight, 1700.0 * 1225.0 / 1250.0);
}

TEST(PrepareCoils, CoilInfosAreWidestFirstThenCheapest)
{
    COptimiserGroup g;
    g.AddCoil(1000, 1000, 1, 2.0);
    g.AddCoil(1000, 1000, 1, 1.5); // differs only in cost: not merged
    g.AddCoil(1200, 1000, 1, 3.0);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkCoils.size(), 3u);
    ASSERT_EQ(opt->CoilInfos.size(), 3u);
    EXPECT_EQ(opt->CoilInfos[0].Index, 2);
    EXPECT_EQ(opt->CoilInfos[1].Index, 1);
    EXPECT_EQ(opt->CoilInfos[2].Index, 0);
    EXPECT_DOUBLE_EQ(opt->MaxUsableWidth, 1200.0);
}

TEST(PrepareCoils, RowsWithoutStockOrUsableWidthAreLeftOut)
{
    COptimiserGroup g;
    g.AddCoil(1000, 1000, 0);
    // Trims wider than the coil: a negative usable weight would make every program infeasible.
    g.AddCoil(100, 1000, 1, 1.0, 60, 60);
    CCoil* kept = g.AddCoil(800);
    const auto opt = g.Make();

    ASSERT_EQ(opt->CoilLinks.size(), 1u);
    EXPECT_EQ(opt->CoilLinks[0].Row, kept);
    EXPECT_EQ(opt->CoilInfos.size(), 1u);
}

TEST(PrepareCoils, EqualCoilsKeepTheirOrder)
{
    // Thicknesses 2e-5 apart do not merge but sort alike.
    COptimiserGroup g;
    g.AddCoil(1000, 1000, 1, 1.0, 0, 0, 1.00002);
    g.AddCoil(1000, 1000, 1, 1.0, 0, 0, 1.0);
    const auto opt = g.Make();

    ASSERT_EQ(opt->CoilInfos.size(), 2u);
    EXPECT_EQ(opt->CoilInfos[0].Index, 0);
    EXPECT_EQ(opt->CoilInfos[1].Index, 1);
}

TEST(CanFitSomeCoil, NeedsTheSameThicknessExactlyAndEnoughWidth)
{
    struct Case {
        const char* what;
        double thickness;
        double length;
        double width;
        int rotation;
        bool fits;
    };
    const Case cases[] = {
        {"narrow enough", 2.0, 500, 300, 0, true},
        {"thickness 2.0004 against 2.0", 2.0004, 500, 300, 0, false},
        {"too long, fits turned", 2.0, 1300, 500, 1, true},
        {"too long, may not turn", 2.0, 1300, 500, 0, false},
        {"exactly the usable width", 2.0, 1250, 100, 0, true},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1270, 1000, 1, 1.0, 10, 10, 2.0);
        g.AddPart(c.length, c.width, 10, c.rotation, c.thickness);
        const auto opt = g.Make();
        EXPECT_EQ(opt->WorkParts.size(), c.fits ? 1u : 0u) << c.what;
        EXPECT_EQ(opt->CanFitSomeCoil(*g.parts[0]), c.fits) << c.what;
    }
}

TEST(CanFitSomeCoil, NeedsTheSameMaterial)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    CCoilPart other("X", "st52", 1.0, 200, 100.0, "", 0);
    EXPECT_FALSE(g.Make()->CanFitSomeCoil(other));
}

TEST(PreparePartList, IdenticalRowsMergeAndLinkToTheFirstWorkingCopy)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    CCoilPart* first = g.AddPart(300, 200, 10, 1);
    CCoilPart* second = g.AddPart(300, 200, 15, 1);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkParts.size(), 1u);
    EXPECT_EQ(opt->WorkParts[0]->PieceCount(), 25);
    ASSERT_EQ(opt->PartLinks.size(), 2u);
    EXPECT_EQ(opt->PartLinks[0].Row, first);
    EXPECT_EQ(opt->PartLinks[1].Row, second);
    EXPECT_EQ(opt->PartLinks[1].Work, opt->WorkParts[0].get());
    ASSERT_EQ(opt->PartInfos.size(), 1u);
    EXPECT_DOUBLE_EQ(opt->PartInfos[0].Amount, opt->WorkParts[0]->RequiredWeight());
}

TEST(PreparePartList, WhichRowsMerge)
{
    struct Case {
        const char* what;
        double length2;
        double width2;
        int rotation2;
        std::size_t workParts;
    };
    // The first row is always a 300 x 200 part that may be turned.
    const Case cases[] = {
        {"within tolerance", 300.000001, 200, 1, 1},
        {"other size", 300.1, 200, 1, 2},
        {"other rotation flag", 300, 200, 0, 2},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1000);
        g.AddPart(300, 200, 10, 1);
        g.AddPart(c.length2, c.width2, 10, c.rotation2);
        EXPECT_EQ(g.Make()->WorkParts.size(), c.workParts) << c.what;
    }
}

TEST(PreparePartList, SquarePartAndSlitOfTheSameWidthMergeAsAPart)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    // A square with rotation set cannot turn, so it agrees with the slit's flag.
    CCoilPart* part = g.AddPart(250, 250, 4, 1);
    CCoilPart* slit = g.AddSlit(250, 100.0);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkParts.size(), 1u);
    EXPECT_EQ(opt->WorkParts[0]->Kind, KindPart);
    EXPECT_EQ(opt->WorkParts[0]->PieceCount(), part->PieceCount() + slit->PieceCount());
    EXPECT_EQ(opt->PartLinks.size(), 2u);
}

TEST(PreparePartList, SlitsOfMoreThanTwoThousandMillionPiecesMergeByWeight)
{
    // A 3 mm slit on a 0.1 mm coil weighs about 7e-9 kg a piece: 9000 kg is beyond the int range.
    COptimiserGroup g;
    g.AddCoil(1000, 40000.0, 1, 1.0, 0, 0, 0.1);
    g.AddSlit(3, 9000.0, 0.1);
    g.AddSlit(3, 9000.0, 0.1);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkParts.size(), 1u);
    EXPECT_NEAR(opt->WorkParts[0]->RequiredWeight(), 18000.0, 1e-3);
    ASSERT_EQ(opt->Run(), 1);
    EXPECT_NEAR(opt->Results.ProducedWeight(g.slits[0]->Name) + opt->Results.ProducedWeight(g.slits[1]->Name),
                18000.0, 1.0);
}

TEST(PreparePartList, RowsWithoutPiecesAreLeftOut)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    g.AddSlit(200, 0.0);
    g.AddPart(200, 100, 0, 0);
    const auto opt = g.Make();
    EXPECT_TRUE(opt->WorkParts.empty());
    EXPECT_TRUE(opt->PartLinks.empty());
    EXPECT_TRUE(opt->Widths.empty());
}

TEST(BuildTables, WidthEntriesOfTurnableParts)
{
    struct Case {
        const char* what;
        double length;
        double width;
        int rotation;
        std::vector<double> widths;
    };
    const Case cases[] = {
        {"turnable", 300, 500, 1, {500, 300}},
        {"not turnable", 300, 500, 0, {300}},
        {"square", 400, 400, 1, {400}},
    };
    for (const Case& c : cases) {
        COptimiserGroup g;
        g.AddCoil(1000);
        g.AddPart(c.length, c.width, 10, c.rotation);
        const auto opt = g.Make();
        ASSERT_EQ(opt->Widths.size(), c.widths.size()) << c.what;
        for (std::size_t i = 0; i < c.widths.size(); ++i) {
            EXPECT_EQ(opt->Widths[i].Width, c.widths[i]) << c.what;
            EXPECT_EQ(opt->Widths[i].Info, &opt->PartInfos[0]) << c.what;
        }
        EXPECT_EQ(opt->PartInfos[0].CanTurn, c.widths.size() == 2 ? 1 : 0) << c.what;
    }
}

TEST(BuildTables, WidthsAreWidestFirstThenSmallestAmountThenInOrderMade)
{
    // Rows of one width merge unless their thicknesses differ by the tolerance.
    COptimiserGroup g;
    for (double t : {1.0, 1.00002, 1.00004})
        g.AddCoil(1000, 1000, 1, 1.0, 0, 0, t);
    g.AddSlit(200, 500.0);
    g.AddSlit(300, 900.0);
    g.AddSlit(200, 300.0, 1.00002);
    g.AddSlit(200, 500.0, 1.00004); // equal to the first in both keys
    const auto opt = g.Make();

    ASSERT_EQ(opt->Widths.size(), 4u);
    const auto info = [&](std::size_t k) { return opt->Widths[k].Info->Index; };
    EXPECT_EQ(opt->Widths[0].Width, 300.0);
    EXPECT_EQ(info(0), 1);
    EXPECT_EQ(info(1), 2); // 300 kg before 500 kg
    EXPECT_EQ(info(2), 0);
    EXPECT_EQ(info(3), 3);
}

TEST(BuildTables, FillersAreNeverMergedAndSortWidestFirst)
{
    COptimiserGroup g;
    g.AddCoil(1000);
    g.AddSlit(200, 100.0);
    g.AddFiller(40);
    g.AddFiller(100);
    g.AddFiller(40);
    const auto opt = g.Make();

    ASSERT_EQ(opt->WorkFillers.size(), 3u);
    ASSERT_EQ(opt->FillerInfos.size(), 3u);
    for (const CPartInfo& info : opt->FillerInfos) {
        EXPECT_EQ(info.Amount, -1.0);
        EXPECT_EQ(info.InfoKind, InfoFiller);
        EXPECT_EQ(info.CanTurn, 0);
    }
    ASSERT_EQ(opt->FillerWidths.size(), 3u);
    EXPECT_EQ(opt->FillerWidths[0].Width, 100.0);
    EXPECT_EQ(opt->FillerWidths[1].Info->Index, 0);
    EXPECT_EQ(opt->FillerWidths[2].Info->Index, 2);
    EXPECT_EQ(opt->Widths.size(), 1u); // filler widths join only for the columns
}

} // namespace
} // namespace vellicor
