#include "platform/inisettingsstore.h"
#include "platform/safefile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

class IniStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("vellicor-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                                           + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(IniStoreTest, MissingFileIsAnEmptyStore)
{
    IniSettingsStore store(PathOf("none.ini"));
    EXPECT_TRUE(store.Load());
    EXPECT_TRUE(store.Values().empty());
    EXPECT_EQ(store.GetProfileString("Settings", "UnitLen", "mm"), "mm");
    EXPECT_EQ(store.GetProfileInt("SettingDef", "MaxKnives", 10), 10);
}

TEST_F(IniStoreTest, ReadsTheDesktopLayout)
{
    ASSERT_EQ(WriteFileAtomically(PathOf("p.ini"), "; comment\r\n[Settings]\r\nUnitLen=Inch (Fractional 8/32\")\r\n"
                                                    "UnitArea=m\xC2\xB2\r\nUnitNoOfDecimals = 2\r\n\r\n"
                                                    "[SettingDef]\nKerf=1.500000\nMaxKnives=-5\nRemark=\"  padded \\\"x\\\" \"\n"
                                                    "orphan line\n"),
              FileError::None);
    IniSettingsStore store(PathOf("p.ini"));
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.ReadString("Settings", "UnitLen"), "Inch (Fractional 8/32\")");
    EXPECT_EQ(store.ReadString("Settings", "UnitArea"), "m\u00B2");
    EXPECT_EQ(store.ReadInt("Settings", "UnitNoOfDecimals"), 2);
    EXPECT_EQ(store.ReadString("SettingDef", "Kerf"), "1.500000");
    EXPECT_EQ(store.ReadInt("SettingDef", "MaxKnives"), -5);
    EXPECT_EQ(store.ReadString("SettingDef", "Remark"), "  padded \"x\" ");
}

TEST_F(IniStoreTest, SaveAndLoadKeepEveryValue)
{
    IniSettingsStore store(PathOf("s.ini"));
    store.WriteString("Settings", "UnitLen", "feet");
    store.WriteString("Grid", "Name", " leading and trailing ");
    store.WriteString("Grid", "Empty", "");
    store.WriteInt("SettingDef", "MaxDifSlits", 11);
    ASSERT_TRUE(store.Save());

    IniSettingsStore again(PathOf("s.ini"));
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.ReadString("Settings", "UnitLen"), "feet");
    EXPECT_EQ(again.ReadString("Grid", "Name"), " leading and trailing ");
    EXPECT_EQ(again.ReadString("Grid", "Empty"), "");
    EXPECT_EQ(again.ReadInt("SettingDef", "MaxDifSlits"), 11);
    EXPECT_EQ(again.ReadInt("Settings", "UnitLen"), 0);  // text read as a number
}

} // namespace
} // namespace vellicor
