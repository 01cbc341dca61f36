#include "model/coil.h"
#include "model/coilpart.h"
#include "model/knifepositions.h"
#include "model/layout.h"
#include "units/units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vellicor {
namespace {

struct Slit {
    double length;
    double width;
    int rotated;
};

CLayout MakeLayout(CCoil& coil, std::vector<CCoilPart>& parts, const std::vector<Slit>& slits, double kerf)
{
    parts.reserve(slits.size());
    CSlitPosList positions;
    for (const Slit& s : slits) {
        parts.emplace_back("P", "crca", 1.5, s.length, s.width, 1, "", 1, 0);
        positions.push_back(std::make_unique<CLayoutSlit>(s.rotated, &parts.back()));
    }
    return CLayout(&coil, std::move(positions), 1000, kerf);
}

TEST(KnifePositionsTest, HandWorkedLayouts)
{
    struct Case {
        const char* name;
        double width, leftTrim, rightTrim, kerf;
        std::vector<Slit> slits;
        std::vector<double> positions;
        std::vector<double> strips;
        double rest;
    };
    const Case cases[] = {
        {"trims and kerf", 1250, 10, 15, 1, {{300, 0, 0}, {300, 0, 0}, {600, 0, 0}},
         {10, 311, 612, 1213}, {300, 300, 600}, 22},
        {"no kerf, no trims, full width", 1000, 0, 0, 0, {{500, 0, 0}, {500, 0, 0}}, {0, 500, 1000}, {500, 500}, 0},
        {"a turned part lies across with its width", 1000, 5, 5, 0.5, {{300, 250, 1}, {120, 120, 0}},
         {5, 255.5, 376}, {250, 120}, 619},
        {"inches: 48 in coil, trims 1/2 and 3/4 in, 1/8 in kerf", 1219.2, 12.7, 19.05, 3.175,
         {{304.8, 0, 0}, {254, 0, 0}, {355.6, 0, 0}},
         {12.7, 320.675, 577.85, 936.625}, {304.8, 254, 355.6}, 263.525},
        {"strips wider than the coil leave a negative rest", 500, 10, 10, 0, {{300, 0, 0}, {300, 0, 0}},
         {10, 310, 610}, {300, 300}, -120},
        {"no strips, no knives", 1250, 10, 15, 1, {}, {}, {}, 1225},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCoil coil("C", c.width, "crca", 1.5, 10000, 1, "", 1, c.leftTrim, c.rightTrim);
        std::vector<CCoilPart> parts;
        const CLayout layout = MakeLayout(coil, parts, c.slits, c.kerf);
        const KnifeSetting k = KnifePositions(layout, coil);
        ASSERT_EQ(k.Positions.size(), c.positions.size());
        for (std::size_t i = 0; i < c.positions.size(); ++i)
            EXPECT_NEAR(k.Positions[i], c.positions[i], 1e-9) << "knife " << i;
        EXPECT_EQ(k.Strips, c.strips);
        EXPECT_NEAR(k.Rest, c.rest, 1e-9);
        EXPECT_NEAR(k.Rest, layout.RestWidth(), 1e-9);
    }
}

// The metric layout in metric units, the inch layout in inch units: every value falls clear of a
// rounding edge.
TEST(KnifePositionsTest, ReadInEveryDisplayUnit)
{
    CCoil metricCoil("C", 1250, "crca", 1.5, 10000, 1, "", 1, 10, 15);
    std::vector<CCoilPart> metricParts;
    const CLayout metric = MakeLayout(metricCoil, metricParts, {{300, 0, 0}, {300, 0, 0}, {600, 0, 0}}, 1);
    CCoil inchCoil("C", 1219.2, "crca", 1.5, 10000, 1, "", 1, 12.7, 19.05);
    std::vector<CCoilPart> inchParts;
    const CLayout inch = MakeLayout(inchCoil, inchParts, {{304.8, 0, 0}, {254, 0, 0}, {355.6, 0, 0}}, 3.175);
    struct Case {
        int unit;
        const CLayout& layout;
        std::vector<std::string> positions;
        std::string rest;
    };
    const Case cases[] = {
        {kUnitMm, metric, {"10", "311", "612", "1213"}, "22"},
        {kUnitCm, metric, {"1", "31.100", "61.200", "121.300"}, "2.200"},
        {kUnitM, metric, {"0.010", "0.311", "0.612", "1.213"}, "0.022"},
        {kUnitInchFraction, inch, {"0 16/32\"", "12 20/32\"", "22 24/32\"", "36 28/32\""}, "10 12/32\""},
        {kUnitInchDecimal, inch, {"0.500", "12.625", "22.750", "36.875"}, "10.375"},
        {kUnitFeet, inch, {"0.042", "1.052", "1.896", "3.073"}, "0.865"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UnitTable()[static_cast<std::size_t>(c.unit)].lengthName);
        UnitSettings units;
        units.lengthUnit = c.unit;
        SetUnitSettings(units);
        const KnifeSetting k = KnifePositions(c.layout, *c.layout.Coil);
        std::vector<std::string> shown;
        for (double p : k.Positions)
            shown.push_back(FormatLength(p));
        EXPECT_EQ(shown, c.positions);
        EXPECT_EQ(FormatLength(k.Rest), c.rest);
    }
    SetUnitSettings(UnitSettings{});
}

} // namespace
} // namespace vellicor
