#include "model/coil.h"
#include "model/coilpart.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace vellicor {
namespace {

TEST(CCoil, ValueConstructorAndDerivedFigures)
{
    const CCoil coil("C1", 1250, "  CRCA ", 1.5, 10000, 3, "r", 2.0, 10, 15);
    EXPECT_EQ(coil.Material, "crca");
    EXPECT_DOUBLE_EQ(coil.TrimTotal(), 25);
    EXPECT_DOUBLE_EQ(coil.UsableWidth(), 1225);
    EXPECT_DOUBLE_EQ(coil.TotalWeight(), 30000);
    EXPECT_DOUBLE_EQ(coil.UsableWeight(), 30000 * 1225.0 / 1250);
    EXPECT_DOUBLE_EQ(coil.UsableCostPerKg(), 2.0 * 1250 / 1225);
    EXPECT_DOUBLE_EQ(coil.LengthPerCoil(), 10000 * 1e9 / (1250 * 1.5 * 8600));

    const CCoil empty;
    EXPECT_EQ(empty.Name, "");
    EXPECT_DOUBLE_EQ(empty.Width, 1.0);
    EXPECT_EQ(empty.Qty, 0);
    EXPECT_DOUBLE_EQ(empty.CostPerKg, 1.0);
}

TEST(CCoilPart, ConstructorsChooseTheKind)
{
    const CCoilPart part("P1", " St37 ", 2, 300, 500, 12, "rem", 1, 4);
    EXPECT_EQ(part.Kind, KindPart);
    EXPECT_EQ(part.Material, "st37");
    EXPECT_DOUBLE_EQ(part.Quantity, 12);
    EXPECT_EQ(part.Priority, 4);

    struct Case {
        double q;
        int kind;
        double quantity;
    };
    for (const Case c : {Case{-1, KindFiller, UnlimitedQty}, Case{0, KindSlit, 0}, Case{750, KindSlit, 750}}) {
        const CCoilPart slit("S1", "st37", 2, 120, c.q, "", 0);
        EXPECT_EQ(slit.Kind, c.kind) << c.q;
        EXPECT_DOUBLE_EQ(slit.Quantity, c.quantity) << c.q;
        EXPECT_DOUBLE_EQ(slit.Length, 120);
        EXPECT_DOUBLE_EQ(slit.Width, 120);
        EXPECT_EQ(slit.Rotation, 0);
        EXPECT_EQ(slit.IsFiller(), c.kind == KindFiller);
    }

    const CCoilPart empty;
    EXPECT_EQ(empty.Name, " ");
    EXPECT_EQ(empty.Material, " ");
    EXPECT_EQ(empty.Rotation, 1);
    EXPECT_EQ(empty.Kind, 0);
}

TEST(CCoilPart, WeightsCountsAndLengths)
{
    const double unit = 8600 * 300.0 * 500 * 2 * 1e-9;  // 2.58 kg
    CCoilPart part("P1", "st37", 2, 300, 500, 0, "", 1, 0);
    part.Quantity = 10.9;
    EXPECT_DOUBLE_EQ(part.UnitWeight(), unit);
    EXPECT_EQ(part.PieceCount(), 10);
    EXPECT_DOUBLE_EQ(part.RequiredWeight(), 10 * unit);

    CCoilPart slit("S1", "st37", 2, 100, 1000, "", 0);
    const double slitUnit = 8600 * 100.0 * 100 * 2 * 1e-9;
    EXPECT_EQ(slit.PieceCount(), static_cast<int>(std::ceil(1000 / slitUnit)));
    EXPECT_DOUBLE_EQ(slit.RequiredWeight(), 1000);
    EXPECT_DOUBLE_EQ(slit.RequiredLength(), 1000 * 1e9 / (100 * 2 * 8600.0));

    slit.SetQuantityFromCount(3);
    EXPECT_DOUBLE_EQ(slit.Quantity, 3 * slitUnit);
    part.SetQuantityFromCount(7);
    EXPECT_DOUBLE_EQ(part.Quantity, 7);
    CCoilPart fresh;
    fresh.Quantity = 5;
    fresh.SetQuantityFromCount(9);  // kind 0: unchanged
    EXPECT_DOUBLE_EQ(fresh.Quantity, 5);

    // A strip with no width has no finite count: it saturates rather than overflowing.
    CCoilPart zero("Z", "st37", 2, 0, 100, "", 0);
    EXPECT_EQ(zero.PieceCount(), INT_MAX);
}

TEST(NormaliseMaterial, AccentedCapitalsJoinTheirGroup)
{
    const CCoil coil("C1", 1250, " ST\u00C4HL ", 1.0, 1000, 1, "", 1.0, 0, 0);
    const CCoilPart slit("S1", "st\u00E4hl", 1.0, 300, 100.0, "", 0);
    EXPECT_EQ(coil.Material, "st\u00E4hl");
    EXPECT_EQ(coil.Material, slit.Material);
}

TEST(CCoilPart, SquarePartsCannotTurn)
{
    struct Case {
        double length, width;
        int rotation, canRotate;
    };
    const Case cases[] = {{300, 300, 1, 0}, {300, 300.000001, 1, 0}, {300, 300.1, 1, 1}, {300, 500, 0, 0}, {300, 500, 5, 5}};
    for (const auto& c : cases) {
        const CCoilPart p("P", "m", 1, c.length, c.width, 1, "", c.rotation, 0);
        EXPECT_EQ(p.CanRotate(), c.canRotate) << c.length << "x" << c.width << " rotation " << c.rotation;
    }
}

} // namespace
} // namespace vellicor
