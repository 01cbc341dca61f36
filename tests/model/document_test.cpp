#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "units/units.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

std::unique_ptr<CCoil> Coil(const char* name, const char* material, double thickness, int qty, double width = 1250)
{
    return std::make_unique<CCoil>(name, width, material, thickness, 10000, qty, "", 1, 10, 15);
}

TEST(CVellicorDoc, NewJobState)
{
    MemorySettingsStore store;
    store.WriteString("SettingDef", "Kerf", "2.000000");
    const CVellicorDoc doc(store);
    EXPECT_DOUBLE_EQ(doc.GetSettings().Kerf, 2);
    EXPECT_EQ(doc.QtyByLength, 1);
    EXPECT_EQ(doc.InventoryUpdated, 0);
    EXPECT_EQ(doc.OrderNo, "");
    EXPECT_FALSE(doc.HasResults());
    EXPECT_FALSE(doc.IsModified());
}

TEST(CVellicorDoc, CollectionsAndLookUps)
{
    CVellicorDoc doc;
    EXPECT_EQ(doc.AddCoil(Coil("C1", "st37", 2, 1)), 1);
    EXPECT_EQ(doc.AddPart(std::make_unique<CCoilPart>("P1", "st37", 2, 300, 200, 5, "", 1, 0)), 1);
    EXPECT_EQ(doc.AddSlit(std::make_unique<CCoilPart>("S1", "st37", 2, 100, 0, "", 0)), 1);
    EXPECT_EQ(doc.AddSlit(std::make_unique<CCoilPart>("P1", "st37", 2, 50, -1, "", 0)), 1);
    EXPECT_EQ(doc.GetSlitCount(), 1);
    EXPECT_EQ(doc.GetFillerCount(), 1);

    EXPECT_EQ(doc.FindCoilByName(" C1\t"), doc.GetCoil(0));
    EXPECT_EQ(doc.FindCoilByName("c1"), nullptr);
    EXPECT_EQ(doc.FindPartByName("  P1 "), doc.GetPart(0));  // parts before fillers
    EXPECT_EQ(doc.FindPartByName("p1"), nullptr);
    EXPECT_EQ(doc.FindPartByName("S1"), doc.GetSlit(0));

    doc.DeleteAllParts();
    EXPECT_EQ(doc.FindPartByName("P1"), doc.GetFiller(0));
}

TEST(CVellicorDoc, CanAnyCoilHold)
{
    CVellicorDoc doc;
    doc.AddCoil(Coil("C1", "st37", 2, 1));        // usable 1225
    doc.AddCoil(Coil("C2", "st37", 2.001, 5, 3000));
    doc.AddCoil(Coil("C3", "st52", 2, 0, 3000));

    struct Case {
        CCoilPart part;
        bool expected;
    };
    const Case cases[] = {
        {CCoilPart("a", "st37", 2, 1225, 100, 1, "", 0, 0), true},
        {CCoilPart("b", "st37", 2, 1226, 100, 1, "", 0, 0), false},
        {CCoilPart("c", "st37", 2, 1500, 1000, 1, "", 1, 0), true},    // turned
        {CCoilPart("d", "st37", 2, 1500, 1500, 1, "", 1, 0), false},   // square: cannot turn
        {CCoilPart("e", "st37", 2.002, 100, 100, 1, "", 0, 0), false}, // thickness is exact
        {CCoilPart("f", "st52", 2, 100, 100, 1, "", 0, 0), false},     // only coil has Qty 0
        {CCoilPart("g", "ST37", 2, 100, 100, 1, "", 0, 0), true},      // materials are lower-cased
    };
    for (const auto& c : cases)
        EXPECT_EQ(doc.CanAnyCoilHold(c.part), c.expected) << c.part.Name;
}

// Coil C1 1250 mm wide, 2 mm thick; part P1 300 x 200 (10 pieces), slit S1 250 mm (500 kg),
// filler F1 50 mm; one layout of 1250 kg cutting P1 twice, S1 once and F1 once.
class ResultFigures : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUnitSettings(UnitSettings{});
        doc.AddCoil(Coil("C1", "st37", 2, 3));
        doc.AddPart(std::make_unique<CCoilPart>("P1", "st37", 2, 300, 200, 10, "", 1, 0));
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "st37", 2, 250, 500, "", 0));
        doc.AddSlit(std::make_unique<CCoilPart>("F1", "st37", 2, 50, -1, "", 0));
        CSlitPosList positions;
        positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetPart(0)));
        positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetPart(0)));
        positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetSlit(0)));
        positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetFiller(0)));
        doc.GetLayouts().Add(std::make_unique<CLayout>(doc.GetCoil(0), std::move(positions), 1250, 0));
    }

    CVellicorDoc doc;
    const double partRequired = 10 * 8600 * 300.0 * 200 * 2 * 1e-9;  // 10.32 kg
};

TEST_F(ResultFigures, ProducedOverAndUnder)
{
    // P1 gets 600/1250 of 1250 kg = 600 kg, S1 250 kg of 500, F1 50 kg.
    EXPECT_DOUBLE_EQ(doc.PartsProducedWeight(), partRequired);
    EXPECT_DOUBLE_EQ(doc.SlitsProducedWeight(), 250);
    EXPECT_DOUBLE_EQ(doc.OverProducedWeight(), 600 - partRequired);
    EXPECT_DOUBLE_EQ(doc.UnderProducedWeight(), 250);
    EXPECT_DOUBLE_EQ(doc.PartUtilisation(), (partRequired + 250) / 1250);
    EXPECT_DOUBLE_EQ(doc.OverallUtilisation(), (partRequired + 250 + 50) / 1250);
    EXPECT_DOUBLE_EQ(doc.CoilWeightUsed("C1"), 1250);
    EXPECT_DOUBLE_EQ(doc.CoilWeightUsed(" C1"), 0);

    doc.ClearResults();
    EXPECT_DOUBLE_EQ(doc.PartUtilisation(), 0);  // no result: no 0/0
    EXPECT_DOUBLE_EQ(doc.OverallUtilisation(), 0);
}

TEST_F(ResultFigures, ProductionTableInBothModes)
{
    std::vector<std::string> names{"stale"}, sizes;
    std::vector<double> required, over;

    doc.QtyByLength = 0;
    doc.BuildProductionTable(names, sizes, required, over);
    EXPECT_EQ(names, (std::vector<std::string>{"P1", "S1"}));
    EXPECT_EQ(sizes, (std::vector<std::string>{"[300 X 200]", "[250]"}));
    EXPECT_DOUBLE_EQ(required[0], partRequired);
    EXPECT_DOUBLE_EQ(over[0], 600 - partRequired);
    EXPECT_DOUBLE_EQ(required[1], 500);
    EXPECT_DOUBLE_EQ(over[1], -250);

    doc.QtyByLength = 1;
    doc.BuildProductionTable(names, sizes, required, over);
    EXPECT_DOUBLE_EQ(required[0], 10);
    EXPECT_DOUBLE_EQ(over[0], 571);  // 600 kg is 581.39 pieces; the excess is truncated
    const double slitLength = 500 * 1e9 / (250 * 2 * 8600.0);
    EXPECT_DOUBLE_EQ(required[1], slitLength);
    EXPECT_NEAR(over[1], -slitLength / 2, 1e-6);

    UnitSettings metres;
    metres.lengthUnit = kUnitM;
    SetUnitSettings(metres);
    doc.BuildProductionTable(names, sizes, required, over);
    EXPECT_DOUBLE_EQ(required[1], slitLength / 1000);
    SetUnitSettings(UnitSettings{});

    CVellicorDoc empty;
    empty.BuildProductionTable(names, sizes, required, over);
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(required.empty());
}

TEST_F(ResultFigures, ClearResultsMarksModifiedEvenWhenEmpty)
{
    EXPECT_TRUE(doc.HasResults());
    doc.ClearResults();
    EXPECT_FALSE(doc.HasResults());
    EXPECT_TRUE(doc.IsModified());

    CVellicorDoc fresh;
    fresh.ClearResults();
    EXPECT_TRUE(fresh.IsModified());
}

} // namespace
} // namespace vellicor
