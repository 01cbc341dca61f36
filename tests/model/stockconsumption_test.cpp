#include "model/stockconsumption.h"
#include "model/vellicordoc.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

// 1000 mm wide, 1 mm thick, 86 kg: every coil is exactly 10 m long.
constexpr double kCoilLength = 10000.0;
constexpr double kCoilWeight = 86.0;

class StockConsumption : public testing::Test {
protected:
    StockConsumption()
    {
        doc_.AddCoil(std::make_unique<CCoil>("17", 1000.0, "steel", 1.0, kCoilWeight, 5, "prime", 2.0, 10.0, 20.0));
        doc_.AddCoil(std::make_unique<CCoil>("C2", 1000.0, "steel", 1.0, kCoilWeight, 5, "", 2.0, 0.0, 0.0));
        doc_.AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1.0, 400.0, 1000.0, "", 0));
        doc_.Settings.MinOffCut = 50.0;
    }

    // A layout on coil `coil` running `length` mm with slits of 400 mm, leaving `rest` of the
    // usable width.
    void AddLayout(int coil, double length, double rest = 0.0)
    {
        CCoil* c = doc_.GetCoil(coil);
        CSlitPosList slits;
        for (double width = c->UsableWidth(); width - 400.0 >= rest; width -= 400.0)
            slits.push_back(std::make_unique<CLayoutSlit>(0, doc_.GetSlit(0)));
        const double slitWidth = 400.0 * static_cast<double>(slits.size());
        // The kerfs take up what the slits and the rest leave.
        const double kerf = (c->UsableWidth() - slitWidth - rest) / static_cast<double>(slits.size());
        doc_.Layouts.Add(
            std::make_unique<CLayout>(c, std::move(slits), length * kCoilWeight / kCoilLength, kerf));
    }

    void Build()
    {
        used_.clear();
        offcuts_.clear();
        doc_.BuildStockConsumption(used_, offcuts_);
    }

    CVellicorDoc doc_;
    CoilList used_;
    CoilList offcuts_;
};

TEST(CoilsNeeded, CountsTheCoilsARunStartsOnAndTheRestOfTheLast)
{
    struct Case {
        double used;
        double perCoil;
        int coils;
        double rest;
    };
    const Case cases[] = {
        {2.5, 1.0, 3, 0.5},   {2.0, 1.0, 2, 0.0},    {0.4, 1.0, 1, 0.6},     {0.0, 1.0, 1, 1.0},
        {1.0, 1.0, 1, 0.0},   {2.5, 0.0, 3, 0.5},    {25000.0, 10000.0, 3, 5000.0},
        // Layout lengths summed to a whole coil: the rounding noise does not start another.
        {0.1 + 0.2, 0.3, 1, 0.0},
        // More coils than an int counts: the count stays at its top rather than wrapping.
        {1e300, 1.0, 2147483647, 1e300},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.used);
        double rest = -1.0;
        EXPECT_EQ(CoilsNeeded(c.used, c.perCoil, rest), c.coils);
        EXPECT_NEAR(rest, c.rest, 1e-9);
    }
}

TEST_F(StockConsumption, ACoilWithoutLayoutsContributesNothing)
{
    AddLayout(1, 5000.0);
    Build();
    ASSERT_EQ(used_.size(), 1u);
    EXPECT_EQ(used_[0]->Name, "C2");
}

TEST_F(StockConsumption, ExactlyTwoCoilLengthsUseTwoCoilsWithoutLengthOffcut)
{
    AddLayout(0, 12000.0);
    AddLayout(0, 8000.0);
    Build();
    ASSERT_EQ(used_.size(), 1u);
    const CCoil& u = *used_[0];
    EXPECT_EQ(u.Name, "17");
    EXPECT_EQ(u.Qty, 2);
    EXPECT_EQ(u.Width, 1000.0);
    EXPECT_EQ(u.Material, "steel");
    EXPECT_EQ(u.Thickness, 1.0);
    EXPECT_EQ(u.WeightPerCoil, kCoilWeight);
    EXPECT_EQ(u.Remarks, "prime");
    EXPECT_EQ(u.CostPerKg, 2.0);
    EXPECT_EQ(u.LeftTrim, 10.0);
    EXPECT_EQ(u.RightTrim, 20.0);
    EXPECT_TRUE(offcuts_.empty());
}

TEST_F(StockConsumption, TwoAndAHalfCoilLengthsLeaveHalfACoil)
{
    AddLayout(0, 25000.0);
    Build();
    ASSERT_EQ(used_.size(), 1u);
    EXPECT_EQ(used_[0]->Qty, 3);
    ASSERT_EQ(offcuts_.size(), 1u);
    const CCoil& o = *offcuts_[0];
    EXPECT_EQ(o.Name, "steel_5000_1000");
    EXPECT_EQ(o.Width, 1000.0);
    EXPECT_EQ(o.Thickness, 1.0);
    EXPECT_DOUBLE_EQ(o.WeightPerCoil, 43.0);
    EXPECT_DOUBLE_EQ(o.LengthPerCoil(), 5000.0);
    EXPECT_EQ(o.Qty, 1);
    EXPECT_EQ(o.Remarks, "prime");
    EXPECT_EQ(o.CostPerKg, 2.0);
    EXPECT_EQ(o.LeftTrim, 10.0);
    EXPECT_EQ(o.RightTrim, 20.0);
}

TEST_F(StockConsumption, LengthOffcutNamesTruncateTowardZero)
{
    AddLayout(1, 8765.9);
    Build();
    ASSERT_EQ(offcuts_.size(), 1u);
    EXPECT_EQ(offcuts_[0]->Name, "steel_1234_1000");
}

TEST_F(StockConsumption, AWidthOffcutNeedsARestOfAtLeastMinOffCut)
{
    const std::pair<double, std::size_t> cases[] = {{49.99, 0u}, {50.0, 1u}, {80.0, 1u}};
    for (const auto& [rest, count] : cases) {
        SCOPED_TRACE(rest);
        doc_.Layouts.Clear();
        AddLayout(1, 10000.0, rest);
        Build();
        ASSERT_EQ(offcuts_.size(), count);
        if (count == 0)
            continue;
        const CCoil& o = *offcuts_[0];
        EXPECT_EQ(o.Name, "steel_10000_" + std::to_string(static_cast<int>(rest)));
        EXPECT_NEAR(o.Width, rest, 1e-9);
        EXPECT_EQ(o.Qty, 1);
        EXPECT_EQ(o.Remarks, "");
        EXPECT_DOUBLE_EQ(o.CostPerKg, 1.8);
        EXPECT_EQ(o.LeftTrim, 0.0);
        EXPECT_EQ(o.RightTrim, 0.0);
        EXPECT_NEAR(o.LengthPerCoil(), 10000.0, 1e-6);
    }
}

TEST_F(StockConsumption, ALayoutOverThreeAndAHalfCoilsGivesFullAndPartStrips)
{
    AddLayout(1, 35000.0, 40.0);
    doc_.Settings.MinOffCut = 40.0;
    Build();
    ASSERT_EQ(used_.size(), 1u);
    EXPECT_EQ(used_[0]->Qty, 4);
    // The length offcut of the fourth coil, then the rest-width strips.
    ASSERT_EQ(offcuts_.size(), 3u);
    EXPECT_EQ(offcuts_[0]->Name, "steel_5000_1000");
    const CCoil& a = *offcuts_[1];
    EXPECT_EQ(a.Name, "steel_10000_40_1");
    EXPECT_EQ(a.Qty, 3);
    EXPECT_NEAR(a.WeightPerCoil, 40.0 * kCoilLength * 8600.0 * 1e-9, 1e-9);
    EXPECT_EQ(a.Width, 40.0);
    EXPECT_EQ(a.Material, "steel");
    const CCoil& b = *offcuts_[2];
    EXPECT_EQ(b.Name, "steel_5000_40_2");
    EXPECT_EQ(b.Qty, 1);
    EXPECT_NEAR(b.LengthPerCoil(), 5000.0, 1e-6);
}

TEST_F(StockConsumption, ALayoutOverExactlyTwoCoilsGivesOnlyFullStrips)
{
    AddLayout(1, 20000.0, 60.0);
    Build();
    ASSERT_EQ(offcuts_.size(), 1u);
    EXPECT_EQ(offcuts_[0]->Name, "steel_10000_60_1");
    EXPECT_EQ(offcuts_[0]->Qty, 2);
}

TEST_F(StockConsumption, TheDocumentIsNotChanged)
{
    AddLayout(0, 25000.0, 60.0);
    doc_.SetModifiedFlag(false);
    Build();
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.GetCoil(0)->Qty, 5);
    EXPECT_EQ(doc_.Layouts.GetCount(), 1);
}

} // namespace
} // namespace vellicor
