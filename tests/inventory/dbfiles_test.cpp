#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

CsStockRec SmallRecord()
{
    CsStockRec rec;
    rec.Id = 7;
    rec.Type = CsStockRec::Offcut;
    rec.Name = "ab";
    rec.Length = 2.0;
    rec.Width = 0.5;
    rec.Thickness = 1.0;
    rec.CostPerKg = -2.0;
    rec.Qty = 0x0102;
    rec.Material = "s";
    rec.Remarks = "r";
    rec.LeftTrim = 0.0;
    rec.RightTrim = 4.0;
    rec.Date = OleDate{1.5, OleDate::Valid};
    rec.Sel = 9;
    return rec;
}

class DbFiles : public test::TempDirTest {
protected:
    test::RecordingMessages messages_;
};

TEST(StockDbBytes, ANewDatabaseIsTenBytes)
{
    EXPECT_EQ(CsStockDb().Bytes(), std::string("\xDA\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00", 10));
}

TEST(StockDbBytes, RecordLayout)
{
    CsStockDb db;
    db.LastId = 0x01020304;
    db.Records.push_back(SmallRecord());
    const std::string expected = std::string("\xDA\x00" "\x04\x03\x02\x01" "\x01\x00\x00\x00", 10)
        + std::string("\x07\x00\x00\x00" "\x01\x00" "\x02" "ab", 9)
        + std::string("\x00\x00\x00\x00\x00\x00\x00\x40" "\x00\x00\x00\x00\x00\x00\xE0\x3F"
                      "\x00\x00\x00\x00\x00\x00\xF0\x3F" "\x00\x00\x00\x00\x00\x00\x00\xC0", 32)
        + std::string("\x02\x01" "\x01" "s", 4)
        + std::string("\x00\x00\x00\x00\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\x10\x40", 16)
        + std::string("\x00\x00\x00\x00" "\x00\x00\x00\x00\x00\x00\xF8\x3F", 12) + std::string("\x01" "r", 2);
    EXPECT_EQ(db.Bytes(), expected);
}

TEST(StockDbBytes, RecordsReadBackWithoutTheirSelMark)
{
    CsStockDb db;
    db.LastId = 41;
    db.Records.push_back(SmallRecord());
    CsStockRec nullDate = SmallRecord();
    nullDate.Name = "Ständer";
    nullDate.Remarks = "Ω";
    nullDate.Date = OleDate{0.0, OleDate::Null};
    db.Records.push_back(nullDate);

    CsStockDb back;
    ASSERT_TRUE(back.Load(db.Bytes()));
    EXPECT_EQ(back.Version, kStockDbVersion);
    EXPECT_EQ(back.LastId, 41);
    ASSERT_EQ(back.Records.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const CsStockRec& a = db.Records[i];
        const CsStockRec& b = back.Records[i];
        EXPECT_EQ(b.Id, a.Id);
        EXPECT_EQ(b.Type, a.Type);
        EXPECT_EQ(b.Name, a.Name);
        EXPECT_EQ(b.Length, a.Length);
        EXPECT_EQ(b.Width, a.Width);
        EXPECT_EQ(b.Thickness, a.Thickness);
        EXPECT_EQ(b.CostPerKg, a.CostPerKg);
        EXPECT_EQ(b.Qty, a.Qty);
        EXPECT_EQ(b.Material, a.Material);
        EXPECT_EQ(b.Remarks, a.Remarks);
        EXPECT_EQ(b.LeftTrim, a.LeftTrim);
        EXPECT_EQ(b.RightTrim, a.RightTrim);
        EXPECT_EQ(b.Date, a.Date);
        EXPECT_EQ(b.Sel, 0);
    }
    EXPECT_EQ(back.Bytes(), db.Bytes());
}

TEST(StockDbBytes, TextPrefixes)
{
    // The name's prefix follows the header, the id and the type.
    constexpr std::size_t kNameAt = 10 + 4 + 2;
    const std::pair<std::size_t, std::string> cases[] = {
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    for (const auto& [length, prefix] : cases) {
        SCOPED_TRACE(length);
        CsStockDb db;
        db.Records.emplace_back().Name = std::string(length, 'n');
        const std::string bytes = db.Bytes();
        EXPECT_EQ(bytes.substr(kNameAt, prefix.size()), prefix);
        EXPECT_EQ(bytes.substr(kNameAt + prefix.size(), length), std::string(length, 'n'));
        CsStockDb back;
        ASSERT_TRUE(back.Load(bytes));
        EXPECT_EQ(back.Records.at(0).Name.size(), length);
    }
}

TEST(StockDbBytes, DamagedBytesLeaveAnEmptyDatabase)
{
    CsStockDb db;
    db.LastId = 3;
    db.Records.assign(3, SmallRecord());
    const std::string bytes = db.Bytes();
    // Every truncation fails, except the empty file.
    for (std::size_t n = 1; n < bytes.size(); ++n) {
        CsStockDb back;
        EXPECT_FALSE(back.Load(std::string_view(bytes).substr(0, n))) << n;
        EXPECT_EQ(back.LastId, 0);
        EXPECT_TRUE(back.Records.empty());
    }
    // A count far beyond the bytes left is refused before anything is allocated for it.
    std::string huge = bytes;
    huge.replace(6, 4, "\xFF\xFF\xFF\x7F");
    CsStockDb back;
    EXPECT_FALSE(back.Load(huge));
    EXPECT_TRUE(back.Records.empty());
    EXPECT_TRUE(back.Load(""));
}

TEST(MateDbBytes, LayoutAndChoiceList)
{
    CsMateDb db;
    EXPECT_EQ(db.Bytes(), std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\x00", 8));
    db.Value = 5;
    db.Records = {{"A", "a", 1.0f, 2.0f, 0.5f, -2.0f}, {"B", "b", 7800.0f, 100.0f, 200.0f, 200.0f}, {"C", "c"}};
    const std::string bytes = db.Bytes();
    EXPECT_EQ(bytes.substr(0, 8 + 4 + 16), std::string("\x05\x00\x00\x00" "\x03\x00\x00\x00" "\x01" "A" "\x01" "a"
                                                       "\x00\x00\x80\x3F" "\x00\x00\x00\x40" "\x00\x00\x00\x3F"
                                                       "\x00\x00\x00\xC0",
                                                       28));
    EXPECT_EQ(db.MaterialChoiceList(), "a\nb\nc\n");
    EXPECT_EQ(CsMateDb().MaterialChoiceList(), "");

    CsMateDb back;
    ASSERT_TRUE(back.Load(bytes));
    EXPECT_EQ(back.Value, 5);
    ASSERT_EQ(back.Records.size(), 3u);
    EXPECT_EQ(back.Records[0].MinOffcutWidth, -2.0f);
    EXPECT_EQ(back.Records[2].Density, 7800.0f);
    EXPECT_EQ(back.Bytes(), bytes);
    for (std::size_t n = 1; n < bytes.size(); ++n)
        EXPECT_FALSE(CsMateDb().Load(std::string_view(bytes).substr(0, n))) << n;
}

TEST_F(DbFiles, SaveReplacesTheFileAndOpenRemembersThePath)
{
    CsStockDb db;
    ASSERT_TRUE(db.OpenOrCreate(Path("stock.db"), messages_));
    EXPECT_EQ(db.PathName(), Path("stock.db"));
    EXPECT_EQ(test::ReadFile(Path("stock.db")).size(), 10u);
    db.Records.push_back(SmallRecord());
    ASSERT_TRUE(db.Save(messages_));
    EXPECT_EQ(test::ReadFile(Path("stock.db")), db.Bytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    CsStockDb again;
    ASSERT_TRUE(again.OpenOrCreate(Path("stock.db"), messages_));
    EXPECT_EQ(again.Records.size(), 1u);
    test::WriteFile(Path("empty.db"), "");
    ASSERT_TRUE(again.Open(Path("empty.db"), messages_));
    EXPECT_TRUE(again.Records.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DbFiles, ADamagedOrMissingFileIsToldAndNeverOverwritten)
{
    const std::string damaged = CsStockDb().Bytes().substr(0, 7);
    test::WriteFile(Path("stock.db"), damaged);
    CsStockDb db;
    EXPECT_FALSE(db.OpenOrCreate(Path("stock.db"), messages_));
    EXPECT_EQ(db.PathName(), "");
    EXPECT_FALSE(db.Save(messages_));
    EXPECT_EQ(test::ReadFile(Path("stock.db")), damaged);

    EXPECT_FALSE(db.Open(Path("missing.db"), messages_));
    EXPECT_FALSE(fs::exists(Path("missing.db")));
    EXPECT_FALSE(db.OpenOrCreate(Path("nodir/stock.db"), messages_));
    EXPECT_EQ(db.PathName(), "");
    ASSERT_EQ(messages_.shown.size(), 4u);
    EXPECT_EQ(messages_.shown[0].text, Path("stock.db") + "\nUnexpected file format.");
    EXPECT_EQ(messages_.shown[1].id, ids::FailedToSaveDocument);
    EXPECT_EQ(messages_.shown[2].text, Path("missing.db") + "\nCannot find this file.\nPlease verify that the correct "
                                                            "path and file name are given.");
    EXPECT_EQ(messages_.shown[3].id, ids::FileNotFound);
    for (const auto& shown : messages_.shown)
        EXPECT_EQ(shown.icon, MessageIcon::Error);
}

TEST_F(DbFiles, AFreshInstallationGetsAStarterMaterialLibrary)
{
    CsMateDb library;
    ASSERT_TRUE(LoadMaterialLibrary(library, dir_.string(), messages_));
    EXPECT_EQ(library.PathName(), Path("slitmate.db"));
    EXPECT_GE(library.Records.size(), 5u);
    EXPECT_EQ(library.Records.back().Code, "not_used");
    for (const auto& rec : library.Records) {
        EXPECT_FALSE(rec.Name.empty());
        EXPECT_GT(rec.Density, 500.0f);
        EXPECT_LT(rec.Density, 10000.0f);
        EXPECT_GT(rec.MinOffcutWidth, 0.0f);
    }
    EXPECT_NE(library.MaterialChoiceList().find("crca\n"), std::string::npos);

    CsMateDb read;
    ASSERT_TRUE(read.Open(Path("slitmate.db"), messages_));
    EXPECT_EQ(read.Bytes(), library.Bytes());

    // An existing library is loaded as it is.
    read.Records.resize(1);
    ASSERT_TRUE(read.Save(messages_));
    CsMateDb again;
    ASSERT_TRUE(LoadMaterialLibrary(again, dir_.string(), messages_));
    EXPECT_EQ(again.Records.size(), 1u);
    EXPECT_TRUE(messages_.shown.empty());
}

// The fuzzing seeds are files the program reads: each loads and writes back to its own bytes.
TEST(DbSeeds, EverySeedLoads)
{
    const fs::path corpus = fs::path(VELLICOR_SOURCE_DIR) / "fuzz" / "corpus";
    std::size_t seeds = 0;
    for (const auto& entry : fs::directory_iterator(corpus / "stockdb")) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = test::ReadFile(entry.path());
        CsStockDb db;
        ASSERT_TRUE(db.Load(bytes));
        EXPECT_EQ(db.Bytes(), bytes.empty() ? CsStockDb().Bytes() : bytes);
        ++seeds;
    }
    for (const auto& entry : fs::directory_iterator(corpus / "matedb")) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = test::ReadFile(entry.path());
        CsMateDb db;
        ASSERT_TRUE(db.Load(bytes));
        EXPECT_EQ(db.Bytes(), bytes);
        ++seeds;
    }
    for (const auto& entry : fs::directory_iterator(corpus / "stkused")) {
        SCOPED_TRACE(entry.path().string());
        EXPECT_FALSE(ParseStockUsed(test::ReadFile(entry.path())).empty());
        ++seeds;
    }
    EXPECT_GE(seeds, 7u);
}

} // namespace
} // namespace vellicor
