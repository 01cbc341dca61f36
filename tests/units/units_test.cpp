#include "platform/memorysettingsstore.h"
#include "units/units.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

// Every test starts from the default unit settings and leaves them so.
class UnitsTest : public ::testing::Test {
protected:
    void SetUp() override { SetUnitSettings(UnitSettings{}); }
    void TearDown() override { SetUnitSettings(UnitSettings{}); }

    static void Use(int lengthUnit, int denominator = 32, int decimals = 3, int areaUnit = kUnitM)
    {
        UnitSettings s;
        s.lengthUnit = lengthUnit;
        s.areaUnit = areaUnit;
        for (int i = 0; i < 5; ++i)
            if (FractionDenominators()[static_cast<std::size_t>(i)] == denominator)
                s.denominatorIndex = i;
        s.decimalsIndex = decimals;
        SetUnitSettings(s);
    }
};

TEST_F(UnitsTest, TableHoldsTheExactNames)
{
    const auto& t = UnitTable();
    EXPECT_STREQ(t[0].lengthName, "mm");
    EXPECT_STREQ(t[0].areaName, "mm\u00B2");
    EXPECT_STREQ(t[3].lengthName, "Inch (Fractional 8/32\")");
    EXPECT_STREQ(t[4].lengthName, "Inch (Decimal 6.25)");
    EXPECT_STREQ(t[3].areaName, t[4].areaName);
    EXPECT_STREQ(t[5].areaName, "Sq ft");
    EXPECT_DOUBLE_EQ(t[5].mm2PerUnit, 92903.04);
    EXPECT_EQ(CurrentFractionDenominator(), 32);
    EXPECT_EQ(CurrentDecimals(), 3);
}

struct FormatCase {
    int unit;
    int denominator;
    int decimals;
    double mm;
    const char* text;
};

TEST_F(UnitsTest, FormatLengthInEveryUnit)
{
    const FormatCase cases[] = {
        {kUnitMm, 32, 3, 1250, "1250"},
        {kUnitMm, 32, 3, 12.3456, "12.346"},
        {kUnitMm, 32, 0, 12.5, "13"},
        {kUnitCm, 32, 2, 1250, "125"},
        {kUnitCm, 32, 2, 12.345, "1.23"},       // 1.2345 in binary lies below the tie
        {kUnitM, 32, 3, 1250, "1.250"},
        {kUnitInchDecimal, 32, 2, 158.75, "6.25"},
        {kUnitFeet, 32, 3, 304.8, "1"},
        {kUnitInchFraction, 32, 3, 158.75, "6 8/32\""},  // not reduced to 1/4
        {kUnitInchFraction, 32, 3, 152.4, "6\""},
        {kUnitInchFraction, 32, 3, 152.39, "6\""},       // 5 and 31.98/32 rounds to the next inch
        {kUnitInchFraction, 32, 3, 153.19, "6 1/32\""},
        {kUnitInchFraction, 32, 3, 6.35, "0 8/32\""},
        {kUnitInchFraction, 16, 3, 158.75, "6 4/16\""},
        {kUnitInchFraction, 8, 3, 0.0, "0\""},
        {kUnitInchFraction, 128, 3, 25.4 * 1.5, "1 64/128\""},
    };
    for (const auto& c : cases) {
        Use(c.unit, c.denominator, c.decimals);
        EXPECT_EQ(FormatLength(c.mm), c.text) << c.mm << " mm in unit " << c.unit;
    }
}

TEST_F(UnitsTest, HugeLengthsInInchFractionsKeepTheirSign)
{
    Use(kUnitInchFraction, 32, 3);
    const std::string huge = FormatLength(1e30);
    EXPECT_EQ(huge.front(), '3') << huge;
    EXPECT_EQ(huge.size(), 30u) << huge; // 3.9e28 inches and the inch sign
    EXPECT_EQ(FormatLength(-1e30), "-" + huge);
    EXPECT_EQ(FormatLength(25.4 * 9007199254740992.0), "9007199254740992\"");
}

struct ParseCase {
    int unit;
    int denominator;
    const char* text;
    double mm;
};

TEST_F(UnitsTest, ParseLengthInEveryUnit)
{
    const ParseCase cases[] = {
        {kUnitMm, 32, " 1250 ", 1250},
        {kUnitMm, 32, "12.5mm", 12.5},
        {kUnitMm, 32, "abc", 0},
        {kUnitCm, 32, "1.5", 15},
        {kUnitM, 32, "2", 2000},
        {kUnitFeet, 32, "1", 304.8},
        {kUnitInchDecimal, 32, "6.25", 158.75},
        {kUnitInchDecimal, 32, "6 8/32", 152.4},       // only the leading 6
        {kUnitInchFraction, 32, "6.25\"", 158.75},
        {kUnitInchFraction, 32, "6", 152.4},
        {kUnitInchFraction, 32, "6 8/32", 158.75},
        {kUnitInchFraction, 32, "6 8/32\" junk", 158.75},
        {kUnitInchFraction, 32, "8/32", 6.35},
        {kUnitInchFraction, 16, "6 8", 165.1},        // numerator alone: the current denominator
        {kUnitInchFraction, 16, "6 20/16", 152.4},    // numerator above both denominators becomes 0
        {kUnitInchFraction, 32, "6 20/16", 25.4 * (6 + 20.0 / 32)}, // below the current one: over 32
        {kUnitInchFraction, 16, "3/0", 4.7625},       // a zero denominator is the current one
        {kUnitInchFraction, 32, "", 0},
    };
    for (const auto& c : cases) {
        Use(c.unit, c.denominator);
        EXPECT_NEAR(ParseLength(c.text), c.mm, 1e-9) << "'" << c.text << "' in unit " << c.unit;
    }
}

TEST_F(UnitsTest, LengthTextIsANumberOrFractionalInches)
{
    struct Case {
        int unit;
        const char* text;
        bool length;
    };
    const Case cases[] = {
        {kUnitMm, " 1250 ", true},  {kUnitMm, "-12.5", true},   {kUnitMm, "125O", false},
        {kUnitMm, "12abc", false},  {kUnitMm, "12.5mm", false}, {kUnitMm, "", false},
        {kUnitM, "1.5", true},      {kUnitInchDecimal, "6 8/32", false},
        {kUnitInchFraction, "6 8", true},       {kUnitInchFraction, "6 1/2\"", true},
        {kUnitInchFraction, "3/4", true},       {kUnitInchFraction, "6.25\"", true},
        {kUnitInchFraction, "6 8/32\" junk", false}, {kUnitInchFraction, "6x", false},
    };
    for (const auto& c : cases) {
        Use(c.unit);
        EXPECT_EQ(IsLengthText(c.text), c.length) << "'" << c.text << "' in unit " << c.unit;
    }
}

TEST_F(UnitsTest, LengthsSurviveFormatAndParse)
{
    for (int unit : {kUnitMm, kUnitCm, kUnitM, kUnitInchDecimal, kUnitFeet}) {
        Use(unit, 32, 3);
        const double mm = 1000.0 * 25.4 / 8;  // exact in every unit at 3 decimals
        EXPECT_NEAR(ParseLength(FormatLength(mm)), mm, 0.0005 * UnitTable()[static_cast<std::size_t>(unit)].mmPerUnit);
    }
    Use(kUnitInchFraction, 64);
    EXPECT_DOUBLE_EQ(ParseLength(FormatLength(25.4 * 3.140625)), 25.4 * 3.140625);
}

TEST_F(UnitsTest, AreasAndPlainNumbers)
{
    Use(kUnitMm, 32, 3, kUnitM);
    EXPECT_EQ(FormatArea(1000000), "1");
    Use(kUnitMm, 32, 3, kUnitFeet);
    EXPECT_EQ(FormatArea(1000000), "10.764");
    Use(kUnitMm, 32, 3, kUnitInchDecimal);
    EXPECT_EQ(FormatArea(1000000), "1550.003");
    EXPECT_DOUBLE_EQ(ParseArea("2"), 2 * 645.16);

    Use(kUnitInchFraction);
    EXPECT_DOUBLE_EQ(LengthToUnit(254), 10);
    EXPECT_DOUBLE_EQ(LengthFromUnit(10), 254);
    Use(kUnitM, 32, 1);
    EXPECT_EQ(FormatNumber(2.25), "2.3");
}

TEST_F(UnitsTest, LoadUnitSettingsTakesOnlyKnownValues)
{
    struct Case {
        const char* unitLen;
        const char* unitArea;
        int denominator;
        int decimals;
        UnitSettings expected;
    };
    const Case cases[] = {
        {"Inch (Fractional 8/32\")", "inch\u00B2", 64, 1, {kUnitInchFraction, kUnitInchDecimal, 3, 1}},
        {"Inch", "nothing", 20, 7, {}},             // no match anywhere: defaults stay
        {"mm", "mm\u00B2", 8, 0, {kUnitMm, kUnitMm, 0, 0}},
        {"feet", "m\xB2", 128, 2, {kUnitFeet, kUnitM, 4, 2}}, // code page 1252 area name
        {"FEET", "Sq ft", 32, 3, {kUnitMm, kUnitFeet, 2, 3}}, // case-sensitive
    };
    for (const auto& c : cases) {
        SetUnitSettings(UnitSettings{});
        MemorySettingsStore store;
        store.WriteString("Settings", "UnitLen", c.unitLen);
        store.WriteString("Settings", "UnitArea", c.unitArea);
        store.WriteInt("Settings", "UnitInchFractionDenom", c.denominator);
        store.WriteInt("Settings", "UnitNoOfDecimals", c.decimals);
        LoadUnitSettings(store);
        EXPECT_EQ(CurrentUnitSettings(), c.expected) << c.unitLen << " / " << c.unitArea;
    }

    SetUnitSettings(UnitSettings{});
    MemorySettingsStore empty;
    LoadUnitSettings(empty);
    EXPECT_EQ(CurrentUnitSettings(), UnitSettings{});
}

TEST_F(UnitsTest, ApplyUnitSettingsWritesOnlyWhatChanged)
{
    MemorySettingsStore store;
    EXPECT_FALSE(ApplyUnitSettings(store, UnitSettings{}));
    EXPECT_TRUE(store.Values().empty());

    UnitSettings chosen;
    chosen.lengthUnit = kUnitInchFraction;
    chosen.denominatorIndex = 1;
    EXPECT_TRUE(ApplyUnitSettings(store, chosen));
    EXPECT_EQ(store.Values().size(), 2u);
    EXPECT_EQ(store.ReadString("Settings", "UnitLen"), "Inch (Fractional 8/32\")");
    EXPECT_EQ(store.ReadInt("Settings", "UnitInchFractionDenom"), 16);
    EXPECT_FALSE(store.ReadString("Settings", "UnitArea"));
    EXPECT_EQ(CurrentUnitSettings(), chosen);

    // What was written is read back by the next start.
    SetUnitSettings(UnitSettings{});
    LoadUnitSettings(store);
    EXPECT_EQ(CurrentUnitSettings(), chosen);
}

} // namespace
} // namespace vellicor
