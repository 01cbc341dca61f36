#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "units/units.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

// A 1250 mm coil with trims 10 and 15, two parts and a filler.
class LayoutTest : public ::testing::Test {
protected:
    CCoil coil{"C1", 1250, "st37", 2, 10000, 3, "", 1, 10, 15};
    CCoilPart p300{"P1", "st37", 2, 300, 250, 10, "", 1, 0};
    CCoilPart p600{"P2", "st37", 2, 600, 400, 10, "", 1, 0};
    CCoilPart filler{"F1", "st37", 2, 50, -1, "", 0};

    CLayout Make(std::initializer_list<std::pair<CCoilPart*, int>> slits, double weight, double kerf = 0)
    {
        CSlitPosList positions;
        for (const auto& [part, rotated] : slits)
            positions.push_back(std::make_unique<CLayoutSlit>(rotated, part));
        return CLayout(&coil, std::move(positions), weight, kerf);
    }
};

TEST_F(LayoutTest, WidthsAndWeights)
{
    const CLayout l = Make({{&p300, 0}, {&p300, 0}, {&p600, 0}}, 1000, 1);
    EXPECT_DOUBLE_EQ(l.RestWidth(), 22);
    EXPECT_DOUBLE_EQ(l.UsedLength(), 1000 * 1e9 / (1250 * 2 * 8600.0));
    EXPECT_DOUBLE_EQ(l.PartWeight(), 1200 * 1000 / 1250.0);  // the full width divides
    EXPECT_DOUBLE_EQ(l.FillerWeight(), 0);
    EXPECT_DOUBLE_EQ(l.WeightOfPart(&p300), 600 * 1000 / 1250.0);
    EXPECT_DOUBLE_EQ(l.SumOfSlitWidth(300.000001), 600);
    EXPECT_TRUE(l.UsesPart(&p600));
    EXPECT_FALSE(l.UsesPart(&filler));

    const CLayout f = Make({{&p300, 1}, {&filler, 0}}, 500);
    EXPECT_DOUBLE_EQ(f.GetSlit(0)->SlitWidth(), 250);  // turned: its Width lies across
    EXPECT_DOUBLE_EQ(f.PartUtilisation(), 250 / 1250.0);
    EXPECT_DOUBLE_EQ(f.FillerUtilisation(), 50 / 1250.0);
    EXPECT_DOUBLE_EQ(f.OverallUtilisation(), 300 / 1250.0);

    const CLayout none = Make({{&p300, 0}}, 0.000001);
    EXPECT_DOUBLE_EQ(none.OverallUtilisation(), 0);
    EXPECT_DOUBLE_EQ(none.PartUtilisation(), 0);
}

TEST_F(LayoutTest, EditingOperations)
{
    CLayout l = Make({{&p300, 0}, {&p600, 0}}, 100);
    l.AddWeight(50);
    EXPECT_DOUBLE_EQ(l.Weight, 150);
    l.SetWeightFromLength(1000);
    EXPECT_DOUBLE_EQ(l.Weight, 1250.0 * 2 * 8600 * 1000 * 1e-9);
    l.ReplacePart(&p300, &p600);
    EXPECT_EQ(l.GetSlit(0)->Part, &p600);

    CLayout copy = l;  // positions deep-copied, parts shared
    copy.GetSlit(0)->Rotated = 1;
    EXPECT_EQ(l.GetSlit(0)->Rotated, 0);
    EXPECT_EQ(copy.GetSlit(1)->Part, &p600);
}

TEST_F(LayoutTest, Texts)
{
    SetUnitSettings(UnitSettings{});
    const CLayout l = Make({{&p300, 0}, {&p600, 1}}, 100);
    EXPECT_EQ(l.WidthsText(), "   300   400");
    EXPECT_EQ(l.DetailText(), "P1 [300]   P2* [400]   ");
}

TEST_F(LayoutTest, ListOrderOperations)
{
    CLayoutList list;
    std::vector<CLayout*> made;
    auto add = [&](double weight, int slits) {
        auto layout = std::make_unique<CLayout>(Make({}, weight));
        for (int i = 0; i < slits; ++i)
            layout->AddSlit(std::make_unique<CLayoutSlit>(0, &p300));
        made.push_back(layout.get());
        list.Add(std::move(layout));
    };
    add(500, 1);
    add(800, 3);
    add(800, 2);
    list.SortByWeight();
    EXPECT_EQ(list.GetAt(0), made[2]);
    EXPECT_EQ(list.GetAt(1), made[1]);
    EXPECT_EQ(list.GetAt(2), made[0]);

    list.MoveUp(1);
    EXPECT_EQ(list.GetAt(0), made[1]);
    list.MoveDown(1);
    EXPECT_EQ(list.GetAt(2), made[2]);
    list.MoveUp(0);    // out of range: nothing happens
    list.MoveDown(2);
    EXPECT_EQ(list.GetAt(0), made[1]);

    auto taken = list.Remove(made[0]);
    EXPECT_EQ(taken.get(), made[0]);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.Remove(made[0]), nullptr);
    list.InsertAt(std::move(taken), 0);
    EXPECT_EQ(list.GetAt(0), made[0]);
    list.InsertAt(std::make_unique<CLayout>(Make({}, 1)), -1);
    list.InsertAt(std::make_unique<CLayout>(Make({}, 2)), 99);
    EXPECT_DOUBLE_EQ(list.GetAt(3)->Weight, 1);
    EXPECT_DOUBLE_EQ(list.GetAt(4)->Weight, 2);
    EXPECT_DOUBLE_EQ(list.TotalWeight(), 2103);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(LayoutTest, ListTotals)
{
    CLayoutList list;
    list.Add(std::make_unique<CLayout>(Make({{&p300, 0}, {&filler, 0}}, 1250)));
    list.Add(std::make_unique<CLayout>(Make({{&p300, 0}, {&p300, 0}}, 625)));
    EXPECT_DOUBLE_EQ(list.TotalWeight(), 1875);
    EXPECT_DOUBLE_EQ(list.TotalFillerWeight(), 50);
    EXPECT_DOUBLE_EQ(list.ProducedWeight("P1"), 300 + 300);
    EXPECT_DOUBLE_EQ(list.ProducedWeight("p1"), 0);
    EXPECT_DOUBLE_EQ(list.TotalUsedLength(), 1875 * 1e9 / (1250 * 2 * 8600.0));
}

} // namespace
} // namespace vellicor
