#include "platform/memorysettingsstore.h"
#include "units/profile.h"

#include <gtest/gtest.h>

namespace vellicor {
namespace {

TEST(ProfileDouble, FallsBackOnMissingOrOutOfRangeValues)
{
    struct Case {
        const char* stored;  // nullptr: no value
        double expected;
    };
    const Case cases[] = {
        {nullptr, 5.0}, {"1.500000", 1.5}, {"-1.0", 5.0}, {"12345678.0", 5.0},
        {"abc", 0.0},   {"9999999", 9999999.0}, {"0", 0.0}, {" 2.5x", 2.5},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (c.stored)
            store.WriteString("SettingDef", "Kerf", c.stored);
        EXPECT_DOUBLE_EQ(GetProfileDouble(store, "SettingDef", "Kerf", 5.0, 0.0, 9999999.0), c.expected)
            << (c.stored ? c.stored : "(missing)");
    }
}

TEST(ProfileDouble, WritesSixDecimals)
{
    MemorySettingsStore store;
    WriteProfileDouble(store, "SettingDef", "Kerf", 1.5);
    EXPECT_EQ(store.ReadString("SettingDef", "Kerf"), "1.500000");
    WriteProfileDouble(store, "SettingDef", "MinPatWt", 0.0000015);  // a tie on its 17 digits
    EXPECT_EQ(store.ReadString("SettingDef", "MinPatWt"), "0.000002");
}

} // namespace
} // namespace vellicor
