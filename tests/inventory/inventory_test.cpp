#include "inventory/inventory.h"
#include "inventory/inventorydialogs.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "platform/dirlock.h"
#include "platform/stringids.h"
#include "support/inventoryrecords.h"
#include "support/recordingmessages.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

using test::Stock;
using test::UsedLine;

using test::ScriptedDialogs;

class Inventory : public test::TempDirTest {
protected:
    void WriteStock(std::int32_t lastId, std::vector<CsStockRec> records) const
    {
        CsStockDb db;
        db.LastId = lastId;
        db.Records = std::move(records);
        test::WriteFile(Path("stock.db"), db.Bytes());
    }

    CsStockDb ReadStock() const
    {
        CsStockDb db;
        EXPECT_TRUE(db.Load(test::ReadFile(Path("stock.db"))));
        return db;
    }

    std::vector<std::uint16_t> Quantities() const
    {
        std::vector<std::uint16_t> qty;
        for (const auto& rec : ReadStock().Records)
            qty.push_back(rec.Qty);
        return qty;
    }

    test::RecordingMessages messages_;
};

TEST_F(Inventory, AFreshDataDirectoryGetsEmptyFiles)
{
    CsInventory inventory(dir_.string() + "/", messages_);
    EXPECT_EQ(inventory.StockDbPath(), Path("stock.db"));
    EXPECT_EQ(test::ReadFile(Path("stock.db")).size(), 10u);
    std::vector<CsStockUsedRec> read;
    EXPECT_EQ(inventory.ReadStockUsed(read), kInventoryDone);
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(fs::exists(Path("stkused.db")));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Inventory, DeductionNeedsAMatchingRecordWithEnoughCoils)
{
    WriteStock(9, {Stock(1, CsStockRec::Prime, 5, 1000.0), Stock(1, CsStockRec::Prime, 5, 1250.0),
                   Stock(2, CsStockRec::Prime, 2), Stock(3, CsStockRec::Prime, 4, 1250.0, "alu")});
    CsInventory inventory(dir_.string(), messages_);
    std::vector<CsStockRec> used = {
        Stock(1, CsStockRec::Prime, 3),               // the record of id 1 whose width matches
        Stock(2, CsStockRec::Prime, 3),               // more than there is: no partial deduction
        Stock(3, CsStockRec::Prime, 1),               // another material
        Stock(4, CsStockRec::Prime, 1),               // not in stock
        Stock(1, CsStockRec::Prime, 2, 1250.00000001), // equal within the tolerance
    };
    EXPECT_EQ(inventory.DeductUsedStock(used), kInventoryDone);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{5, 0, 2, 4}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Inventory, PurgeRemovesUsedUpOffcutsOnly)
{
    WriteStock(4, {Stock(1, CsStockRec::Prime, 0), Stock(2, CsStockRec::Offcut, 0), Stock(3, CsStockRec::Offcut, 1),
                   Stock(4, CsStockRec::Offcut, 0)});
    CsInventory inventory(dir_.string(), messages_);
    const CsStockDb db = ReadStock();
    ASSERT_EQ(db.Records.size(), 2u);
    EXPECT_EQ(db.Records[0].Id, 1);
    EXPECT_EQ(db.Records[1].Id, 3);
    EXPECT_EQ(db.LastId, 4);
}

TEST_F(Inventory, AppendedStockTakesTheNextIds)
{
    WriteStock(41, {Stock(41, CsStockRec::Prime, 1)});
    CsInventory inventory(dir_.string(), messages_);
    std::vector<CsStockRec> offcuts = {Stock(0, CsStockRec::Offcut, 1), Stock(7, CsStockRec::Offcut, 2)};
    EXPECT_EQ(inventory.AppendStock(offcuts), kInventoryDone);
    EXPECT_EQ(offcuts[0].Id, 42);
    EXPECT_EQ(offcuts[1].Id, 43);
    const CsStockDb db = ReadStock();
    EXPECT_EQ(db.LastId, 43);
    ASSERT_EQ(db.Records.size(), 3u);
    EXPECT_EQ(db.Records[1].Id, 42);
    EXPECT_EQ(db.Records[2].Id, 43);
    EXPECT_EQ(db.Records[2].Qty, 2);
    std::vector<CsStockRec> none;
    EXPECT_EQ(inventory.AppendStock(none), kInventoryDone);
    EXPECT_EQ(ReadStock().LastId, 43);
}

TEST_F(Inventory, TheLogGetsTodaysLinesOfStockInTheInventory)
{
    WriteStock(2, {Stock(1, CsStockRec::Prime, 5), Stock(2, CsStockRec::Prime, 5)});
    test::WriteFile(Path("stkused.db"), "9|OLD|1|01/01/2020||steel|1.00|1.00|1.00|\n");
    CsInventory inventory(dir_.string(), messages_);
    EXPECT_EQ(inventory.LogStockUsed({UsedLine(2, 5), UsedLine(3, 1), UsedLine(1, 1)}), kInventoryDone);
    const std::string day = FormatDayMonthYear(OleDateNow());
    EXPECT_EQ(test::ReadFile(Path("stkused.db")), "9|OLD|1|01/01/2020||steel|1.00|1.00|1.00|\n"
                                            "2|A12|5|" + day + "||steel|2500.00|1250.00|1.00|\n"
                                            "1|A12|1|" + day + "||steel|2500.00|1250.00|1.00|\n");
    std::vector<CsStockUsedRec> read = {UsedLine(7, 7)};
    EXPECT_EQ(inventory.ReadStockUsed(read), kInventoryDone);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].Id, 7);
    EXPECT_EQ(read[2].Id, 2);
    EXPECT_EQ(read[2].Date, ParseDayMonthYear(day));

    EXPECT_EQ(inventory.ClearStockUsed(), kInventoryDone);
    EXPECT_EQ(test::ReadFile(Path("stkused.db")), "");
}

TEST_F(Inventory, SelectionReturnsThePickedRecordsAndSavesNothing)
{
    WriteStock(3, {Stock(1, CsStockRec::Prime, 1), Stock(2, CsStockRec::Prime, 2), Stock(3, CsStockRec::Offcut, 3)});
    const std::string before = test::ReadFile(Path("stock.db"));
    CsInventory inventory(dir_.string(), messages_);
    ScriptedDialogs dialogs;
    std::vector<CsStockRec> picked = {Stock(9, CsStockRec::Prime, 9)};

    dialogs.select = [](CsStockDb& db) {
        db.Records[0].Sel = 1;
        db.Records[2].Sel = 1;
        db.Records[1].Qty = 99;
        return true;
    };
    EXPECT_EQ(inventory.SelectStock(dialogs, picked), kInventoryDone);
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].Id, 1);
    EXPECT_EQ(picked[1].Id, 3);

    dialogs.select = [](CsStockDb&) { return true; };
    EXPECT_EQ(inventory.SelectStock(dialogs, picked), kInventoryDone);
    EXPECT_TRUE(picked.empty());

    dialogs.select = [](CsStockDb& db) {
        db.Records[0].Sel = 1;
        return false;
    };
    EXPECT_EQ(inventory.SelectStock(dialogs, picked), kInventoryCancelled);
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(test::ReadFile(Path("stock.db")), before);
}

TEST_F(Inventory, ManagingSavesOnOkOnly)
{
    WriteStock(1, {Stock(1, CsStockRec::Prime, 1)});
    CsInventory inventory(dir_.string(), messages_);
    ScriptedDialogs dialogs;
    dialogs.edit = [](CsStockDb& db) {
        db.Records[0].Qty = 7;
        return false;
    };
    EXPECT_EQ(inventory.ManageInventory(dialogs), kInventoryCancelled);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{1}));
    dialogs.edit = [](CsStockDb& db) {
        db.Records[0].Qty = 7;
        db.Records.push_back(Stock(++db.LastId, CsStockRec::Offcut, 2));
        return true;
    };
    EXPECT_EQ(inventory.ManageInventory(dialogs), kInventoryDone);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{7, 2}));
    EXPECT_EQ(ReadStock().LastId, 2);
}

// A booking made while the dialog was open is not overwritten; the planner may reload and edit again.
TEST_F(Inventory, ManagingRefusesToSaveOverAChangeMadeMeanwhile)
{
    WriteStock(1, {Stock(1, CsStockRec::Prime, 5)});
    CsInventory inventory(dir_.string(), messages_);
    ScriptedDialogs dialogs;
    int shown = 0;
    std::uint16_t left = 2;
    dialogs.edit = [&](CsStockDb& db) {
        if (++shown == 1)
            WriteStock(2, {Stock(1, CsStockRec::Prime, left), Stock(2, CsStockRec::Offcut, 1)});
        db.Records[0].Remarks = "edited";
        return true;
    };
    messages_.answers = {MessageAnswer::No};
    EXPECT_EQ(inventory.ManageInventory(dialogs), kInventoryCancelled);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{2, 1}));
    EXPECT_EQ(messages_.Ids(), std::vector<int>{ids::FileChangedSinceLoaded});

    shown = 0;
    left = 1;
    messages_.answers = {MessageAnswer::Yes};
    EXPECT_EQ(inventory.ManageInventory(dialogs), kInventoryDone);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{1, 1}));
    EXPECT_EQ(ReadStock().Records[0].Remarks, "edited");
}

// While another planner holds the inventory, an operation waits a bounded time and says so.
TEST_F(Inventory, AnInventoryInUseIsToldAfterABoundedWait)
{
    WriteStock(1, {Stock(1, CsStockRec::Prime, 5)});
    const std::string before = test::ReadFile(Path("stock.db"));
    const auto held = DirectoryLock::Acquire(dir_.string(), std::chrono::milliseconds(0));
    ASSERT_TRUE(held);
    CsInventory inventory(dir_.string(), messages_, std::chrono::milliseconds(20));
    EXPECT_EQ(inventory.DeductUsedStock({Stock(1, CsStockRec::Prime, 1)}), kInventoryFailed);
    EXPECT_EQ(test::ReadFile(Path("stock.db")), before);
    // Once, by the operation: opening waits as long but says nothing of it.
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "The stock inventory in " + dir_.string()
                                           + " is in use by another planner. Please try again in a moment.");
}

TEST_F(Inventory, ViewingShowsTheLogWhoseClearButtonEmptiesIt)
{
    test::WriteFile(Path("stkused.db"), StockUsedLine(UsedLine(5, 2), OleDate{46364.0}));
    CsInventory inventory(dir_.string(), messages_);
    ScriptedDialogs dialogs;
    dialogs.clearOnView = true;
    EXPECT_EQ(inventory.ViewStockUsed(dialogs), kInventoryDone);
    ASSERT_EQ(dialogs.viewed.size(), 1u);
    EXPECT_EQ(dialogs.viewed[0].Id, 5);
    EXPECT_EQ(test::ReadFile(Path("stkused.db")), "");
}

TEST_F(Inventory, ADamagedStockFileIsToldAndLeftAlone)
{
    const std::string damaged("\xDA\x00\x01\x00\x00\x00\x05\x00\x00\x00junk", 14);
    test::WriteFile(Path("stock.db"), damaged);
    CsInventory inventory(dir_.string(), messages_);
    ScriptedDialogs dialogs;
    dialogs.edit = [](CsStockDb&) { return true; };
    std::vector<CsStockRec> picked;
    std::vector<CsStockRec> offcuts = {Stock(0, CsStockRec::Offcut, 1)};
    EXPECT_EQ(inventory.PurgeEmptyStock(), kInventoryFailed);
    EXPECT_EQ(inventory.DeductUsedStock({Stock(1, CsStockRec::Prime, 1)}), kInventoryFailed);
    EXPECT_EQ(inventory.AppendStock(offcuts), kInventoryFailed);
    EXPECT_EQ(inventory.LogStockUsed({UsedLine(1, 1)}), kInventoryFailed);
    EXPECT_EQ(inventory.ManageInventory(dialogs), kInventoryFailed);
    EXPECT_EQ(inventory.SelectStock(dialogs, picked), kInventoryFailed);
    EXPECT_EQ(test::ReadFile(Path("stock.db")), damaged);
    EXPECT_EQ(offcuts[0].Id, 0);
    // One message per operation, naming the file; opening says nothing of it.
    ASSERT_EQ(messages_.shown.size(), 6u);
    for (const auto& shown : messages_.shown)
        EXPECT_EQ(shown.text, Path("stock.db") + "\nUnexpected file format.");
}

TEST_F(Inventory, AMissingDataDirectoryIsTold)
{
    CsInventory inventory(Path("missing"), messages_);
    std::vector<CsStockUsedRec> read;
    EXPECT_EQ(inventory.ReadStockUsed(read), kInventoryFailed);
    EXPECT_EQ(inventory.ClearStockUsed(), kInventoryFailed);
    EXPECT_EQ(inventory.LogStockUsed({UsedLine(1, 1)}), kInventoryFailed);
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown[0].args, std::vector<std::string>{Path("missing/stock.db")});
    EXPECT_FALSE(fs::exists(Path("missing")));
}

} // namespace
} // namespace vellicor
