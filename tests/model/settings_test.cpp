#include "model/settings.h"
#include "platform/memorysettingsstore.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

TEST(CSettings, EmptyStoreGivesTheBuiltInDefaults)
{
    const MemorySettingsStore empty;
    const CSettings s(empty);
    EXPECT_EQ(s.MaxKnives, 10);
    EXPECT_EQ(s.MaxDifSlits, 11);
    EXPECT_DOUBLE_EQ(s.Kerf, 0);
    EXPECT_DOUBLE_EQ(s.MinOffCut, 10);
    EXPECT_DOUBLE_EQ(s.MinPatWt, 50);
    EXPECT_DOUBLE_EQ(s.CoilChangCost, 1000);
    EXPECT_DOUBLE_EQ(s.MinKnifeSettCost, 100);
    EXPECT_DOUBLE_EQ(s.MinCutWidth, 0);
    EXPECT_EQ(s, CSettings());
}

TEST(CSettings, StoredDefaultsWithTheirRangeRules)
{
    struct Case {
        const char* name;
        const char* text;
        double CSettings::*field;
        double expected;
    };
    const Case cases[] = {
        {"Kerf", "1.500000", &CSettings::Kerf, 1.5},
        {"Kerf", "-1.0", &CSettings::Kerf, 0.0},
        {"Kerf", "12345678.0", &CSettings::Kerf, 0.0},
        {"Kerf", "thick", &CSettings::Kerf, 0.0},
        {"MinOffCut", "-0.5", &CSettings::MinOffCut, 10.0},
        {"MinOffCut", "thin", &CSettings::MinOffCut, 0.0},  // unreadable text is 0, which is in range
        {"MinPatWt", "9999999", &CSettings::MinPatWt, 9999999},
        {"CoilChangCost", "250", &CSettings::CoilChangCost, 250},
        {"MinKnifeSettCost", "10000000", &CSettings::MinKnifeSettCost, 100},
        {"MinCutWidth", "3.25", &CSettings::MinCutWidth, 3.25},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.WriteString("SettingDef", c.name, c.text);
        const CSettings s(store);
        EXPECT_DOUBLE_EQ(s.*c.field, c.expected) << c.name << " = " << c.text;
    }
}

TEST(CSettings, IntegerDefaultsAreTakenUnchecked)
{
    MemorySettingsStore store;
    store.WriteInt("SettingDef", "MaxKnives", -5);
    store.WriteInt("SettingDef", "MaxDifSlits", 70000);
    const CSettings s(store);
    EXPECT_EQ(s.MaxKnives, -5);
    EXPECT_EQ(s.MaxDifSlits, 70000);
}

TEST(CSettings, SavedDefaultsAreWhatANewJobGets)
{
    CSettings chosen;
    chosen.MaxKnives = 24;
    chosen.MaxDifSlits = 0;
    chosen.Kerf = 1.5875;
    chosen.MinOffCut = 0;
    chosen.MinPatWt = 9999999;
    chosen.CoilChangCost = 12.25;
    chosen.MinKnifeSettCost = 0.000001;
    chosen.MinCutWidth = 3.5;
    MemorySettingsStore store;
    chosen.SaveDefaults(store);
    EXPECT_EQ(store.GetProfileString("SettingDef", "Kerf", ""), "1.587500");
    EXPECT_EQ(CSettings(store), chosen);
}

} // namespace
} // namespace vellicor
