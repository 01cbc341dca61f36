// One suite for every inventory store: the files of a data directory and the PostgreSQL database
// behave alike.
#include "inventory/booking.h"
#include "inventory/bookingkey.h"
#include "inventory/bookingplan.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "platform/stringids.h"
#include "stores/storefixture.h"
#include "support/bookingjob.h"
#include "support/inventoryrecords.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vellicor {
namespace {

using test::Stock;
using test::UsedLine;

class InventoryStore : public test::StoreFixture, public testing::TestWithParam<test::StoreKind> {
protected:
    void SetUp() override
    {
        Prepare(GetParam());
        store_ = NewStore(messages_);
    }
    void TearDown() override
    {
        store_.reset();
        Finish();
    }

    void Seed(std::int32_t lastId, std::vector<CsStockRec> records, std::vector<CsStockUsedRec> log = {})
    {
        CsStockDb db;
        db.LastId = lastId;
        db.Records = std::move(records);
        ASSERT_EQ(store_->ReplaceInventory(db, log, CsMateDb()), kInventoryDone);
    }

    CsStockDb Read() const
    {
        CsStockDb db;
        EXPECT_EQ(store_->ReadStock(db), kInventoryDone);
        return db;
    }

    std::vector<std::uint16_t> Quantities() const
    {
        std::vector<std::uint16_t> qty;
        for (const auto& rec : Read().Records)
            qty.push_back(rec.Qty);
        return qty;
    }

    std::vector<std::int32_t> Ids() const
    {
        std::vector<std::int32_t> ids;
        for (const auto& rec : Read().Records)
            ids.push_back(rec.Id);
        return ids;
    }

    // The booking of `job`, saved as job.vcj in the test's folder with its flag.
    BookingRequest JobRequest(CVellicorDoc& job) const
    {
        BookingLists lists = FillLists(job);
        BookingRequest request{job.OrderNo, lists.UsedStock, lists.Offcuts, (dir_ / "job.vcj").string(), {}, {},
                               BookingKey(job)};
        job.InventoryUpdated = 1;
        request.JobBytes = JobFileBytes(job);
        job.InventoryUpdated = 0;
        return request;
    }

    std::unique_ptr<IInventoryStore> store_;
};

TEST_P(InventoryStore, DeductionNeedsAMatchingRecordWithEnoughCoils)
{
    Seed(9, {Stock(1, CsStockRec::Prime, 5, 1000.0), Stock(1, CsStockRec::Prime, 5, 1250.0),
             Stock(2, CsStockRec::Prime, 2), Stock(3, CsStockRec::Prime, 4, 1250.0, "alu")});
    const std::vector<CsStockRec> used = {
        Stock(1, CsStockRec::Prime, 3),                // the record of id 1 whose width matches
        Stock(2, CsStockRec::Prime, 3),                // more than there is: no partial deduction
        Stock(3, CsStockRec::Prime, 1),                // another material
        Stock(4, CsStockRec::Prime, 1),                // not in stock
        Stock(1, CsStockRec::Prime, 2, 1250.00000001), // equal within the tolerance
    };
    EXPECT_EQ(store_->DeductUsedStock(used), kInventoryDone);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{5, 0, 2, 4}));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_P(InventoryStore, PurgeRemovesUsedUpOffcutsOnly)
{
    Seed(4, {Stock(1, CsStockRec::Prime, 0), Stock(2, CsStockRec::Offcut, 0), Stock(3, CsStockRec::Offcut, 1),
             Stock(4, CsStockRec::Offcut, 0)});
    EXPECT_EQ(store_->PurgeEmptyStock(), kInventoryDone);
    EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(Read().LastId, 4);
}

TEST_P(InventoryStore, AppendedStockTakesTheNextIds)
{
    Seed(41, {Stock(41, CsStockRec::Prime, 1)});
    std::vector<CsStockRec> offcuts = {Stock(0, CsStockRec::Offcut, 1), Stock(7, CsStockRec::Offcut, 2)};
    EXPECT_EQ(store_->AppendStock(offcuts), kInventoryDone);
    EXPECT_EQ(offcuts[0].Id, 42);
    EXPECT_EQ(offcuts[1].Id, 43);
    EXPECT_EQ(Ids(), (std::vector<std::int32_t>{41, 42, 43}));
    EXPECT_EQ(Read().Records[2].Qty, 2);
    EXPECT_EQ(Read().LastId, 43);
    std::vector<CsStockRec> none;
    EXPECT_EQ(store_->AppendStock(none), kInventoryDone);
    EXPECT_EQ(Read().LastId, 43);
}

TEST_P(InventoryStore, TheLogGetsTodaysLinesOfStockInTheInventory)
{
    CsStockUsedRec old = UsedLine(9, 1);
    old.OrderNo = "OLD";
    old.Date = ParseDayMonthYear("01/01/2020");
    Seed(2, {Stock(1, CsStockRec::Prime, 5), Stock(2, CsStockRec::Prime, 5)}, {old});
    EXPECT_EQ(store_->LogStockUsed({UsedLine(2, 5), UsedLine(3, 1), UsedLine(1, 1)}), kInventoryDone);
    std::vector<CsStockUsedRec> read = {UsedLine(7, 7)};
    EXPECT_EQ(store_->ReadStockUsed(read), kInventoryDone);
    ASSERT_EQ(read.size(), 4u);
    const OleDate today = ParseDayMonthYear(FormatDayMonthYear(OleDateNow()));
    const std::vector<std::tuple<std::int32_t, std::string, std::uint16_t, OleDate>> expected = {
        {7, "A12", 7, OleDate{}}, {9, "OLD", 1, old.Date}, {2, "A12", 5, today}, {1, "A12", 1, today}};
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i].Id, std::get<0>(expected[i]));
        EXPECT_EQ(read[i].OrderNo, std::get<1>(expected[i]));
        EXPECT_EQ(read[i].Qty, std::get<2>(expected[i]));
        EXPECT_EQ(read[i].Date, std::get<3>(expected[i]));
        EXPECT_EQ(read[i].Width, 1250.0);
    }

    EXPECT_EQ(store_->ClearStockUsed(), kInventoryDone);
    read.clear();
    EXPECT_EQ(store_->ReadStockUsed(read), kInventoryDone);
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_P(InventoryStore, SelectionReturnsThePickedRecordsAndSavesNothing)
{
    Seed(3, {Stock(1, CsStockRec::Prime, 1), Stock(2, CsStockRec::Prime, 2), Stock(3, CsStockRec::Offcut, 3)});
    const std::string before = Read().Bytes();
    test::ScriptedDialogs dialogs;
    std::vector<CsStockRec> picked = {Stock(9, CsStockRec::Prime, 9)};

    dialogs.select = [](CsStockDb& db) {
        db.Records[0].Sel = 1;
        db.Records[2].Sel = 1;
        db.Records[1].Qty = 99;
        return true;
    };
    EXPECT_EQ(store_->SelectStock(dialogs, picked), kInventoryDone);
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].Id, 1);
    EXPECT_EQ(picked[1].Id, 3);

    dialogs.select = [](CsStockDb& db) {
        db.Records[0].Sel = 1;
        return false;
    };
    EXPECT_EQ(store_->SelectStock(dialogs, picked), kInventoryCancelled);
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(Read().Bytes(), before);
}

TEST_P(InventoryStore, ManagingSavesOnOkOnly)
{
    Seed(1, {Stock(1, CsStockRec::Prime, 1), Stock(2, CsStockRec::Prime, 2)});
    test::ScriptedDialogs dialogs;
    dialogs.edit = [](CsStockDb& db) {
        db.Records[0].Qty = 7;
        return false;
    };
    EXPECT_EQ(store_->ManageInventory(dialogs), kInventoryCancelled);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{1, 2}));

    // The grid's rows replace the records: one edited, one dropped, two added.
    dialogs.edit = [](CsStockDb& db) {
        db.Records[0].Qty = 7;
        db.Records[1] = Stock(++db.LastId, CsStockRec::Offcut, 3);
        db.Records.push_back(Stock(++db.LastId, CsStockRec::Offcut, 4));
        db.Records.push_back(Stock(++db.LastId, CsStockRec::Offcut, 5));
        return true;
    };
    EXPECT_EQ(store_->ManageInventory(dialogs), kInventoryDone);
    EXPECT_EQ(Quantities(), (std::vector<std::uint16_t>{7, 3, 4, 5}));
    EXPECT_EQ(Ids(), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(Read().LastId, 4);
    std::vector<CsStockRec> offcut = {Stock(0, CsStockRec::Offcut, 1)};
    EXPECT_EQ(store_->AppendStock(offcut), kInventoryDone);
    EXPECT_EQ(offcut[0].Id, 5);
    EXPECT_TRUE(messages_.shown.empty());
}

// While one planner's Manage Inventory dialog is open, the inventory changes; that planner's OK
// must not overwrite the change, and may reload the inventory and edit again.
TEST_P(InventoryStore, AnEditDoesNotOverwriteWhatChangedWhileTheDialogWasOpen)
{
    int bookings = 0;
    struct Case {
        const char* meanwhile;
        std::function<void(IInventoryStore&)> change;
    };
    const Case cases[] = {
        {"another planner saves an edit",
         [](IInventoryStore& other) {
             test::ScriptedDialogs dialogs;
             dialogs.edit = [](CsStockDb& db) {
                 db.Records[0].Remarks = "checked by B";
                 return true;
             };
             EXPECT_EQ(other.ManageInventory(dialogs), kInventoryDone);
         }},
        {"a job is booked",
         [&](IInventoryStore& other) {
             auto job = test::MakeBookingJob();
             job->OrderNo = "A" + std::to_string(++bookings);
             BookingRequest request = JobRequest(*job);
             EXPECT_EQ(other.Book(request), kInventoryDone);
         }},
    };
    for (const auto& c : cases) {
        for (const MessageAnswer reload : {MessageAnswer::No, MessageAnswer::Yes}) {
            SCOPED_TRACE(std::string(c.meanwhile) + (reload == MessageAnswer::Yes ? ", reloaded" : ", not reloaded"));
            Seed(20, test::MakeBookingStock().Records);
            test::RecordingMessages otherMessages;
            const auto other = NewStore(otherMessages);
            std::string changed;
            test::ScriptedDialogs dialogs;
            dialogs.edit = [&](CsStockDb& db) {
                if (changed.empty()) {
                    c.change(*other);
                    changed = Read().Bytes();
                }
                db.Records[0].Qty = 1;
                return true;
            };
            messages_.shown.clear();
            messages_.answers = {reload};
            const int result = store_->ManageInventory(dialogs);
            ASSERT_EQ(messages_.shown.size(), 1u);
            EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::YesNo);
            EXPECT_TRUE(otherMessages.shown.empty());
            const CsStockDb now = Read();
            if (reload == MessageAnswer::No) {
                EXPECT_EQ(result, kInventoryCancelled);
                EXPECT_EQ(now.Bytes(), changed);
                continue;
            }
            EXPECT_EQ(result, kInventoryDone);
            EXPECT_EQ(now.Records[0].Qty, 1);
            EXPECT_TRUE(now.Records[0].Remarks == "checked by B" || now.Records.size() > 1);
        }
    }
}

TEST_P(InventoryStore, ABookingDeductsLogsAppendsAndPurges)
{
    CsStockDb stock = test::MakeBookingStock();
    stock.Records.push_back(Stock(18, CsStockRec::Offcut, 0));
    Seed(stock.LastId, stock.Records);
    const auto job = test::MakeBookingJob();
    const BookingLists lists = FillLists(*job);
    BookingRequest booking = JobRequest(*job);
    ASSERT_EQ(store_->Book(booking), kInventoryDone);
    EXPECT_EQ(test::ReadFile(booking.JobPath), booking.JobBytes);

    const CsStockDb after = Read();
    ASSERT_EQ(after.Records.size(), 1 + lists.Offcuts.size());
    EXPECT_EQ(after.Records[0].Id, 17);
    EXPECT_EQ(after.Records[0].Qty, 0);
    for (std::size_t i = 0; i < booking.Offcuts.size(); ++i) {
        EXPECT_EQ(booking.Offcuts[i].Id, static_cast<std::int32_t>(21 + i));
        EXPECT_EQ(after.Records[1 + i].Id, booking.Offcuts[i].Id);
        EXPECT_EQ(after.Records[1 + i].Name, lists.Offcuts[i].Name);
    }
    EXPECT_EQ(after.LastId, static_cast<std::int32_t>(20 + lists.Offcuts.size()));
    std::vector<CsStockUsedRec> log;
    EXPECT_EQ(store_->ReadStockUsed(log), kInventoryDone);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Id, 17);
    EXPECT_EQ(log[0].Qty, 5);
    EXPECT_EQ(log[0].OrderNo, "A12");
    EXPECT_TRUE(messages_.shown.empty());
}

// A used coil from the inventory that no stock record can give: the user decides whether the job
// is booked without it.
TEST_P(InventoryStore, ABookingAsksAboutCoilsThatMatchNoRecord)
{
    CsStockDb stock = test::MakeBookingStock();
    stock.Records[0].Qty = 4;
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(answer == MessageAnswer::Yes ? "booked without them" : "refused");
        Seed(stock.LastId, stock.Records);
        const std::string before = Read().Bytes();
        auto job = test::MakeBookingJob();
        job->OrderNo = answer == MessageAnswer::Yes ? "yes" : "no";
        BookingRequest request = JobRequest(*job);
        messages_.shown.clear();
        messages_.answers = {answer};
        const int result = store_->Book(request);
        EXPECT_EQ(messages_.Ids(), std::vector<int>{ids::UnmatchedCoils});
        if (answer == MessageAnswer::No) {
            EXPECT_EQ(result, kInventoryCancelled);
            EXPECT_EQ(Read().Bytes(), before);
            continue;
        }
        EXPECT_EQ(result, kInventoryDone);
        // The first used coil of id 17 is taken, the one that finds no coils left is not.
        const CsStockDb after = Read();
        EXPECT_EQ(after.Records[0].Qty, 4 - request.UsedStock[0].Qty);
        EXPECT_EQ(after.Records.size(), 1 + request.Offcuts.size());
        std::vector<CsStockUsedRec> log;
        EXPECT_EQ(store_->ReadStockUsed(log), kInventoryDone);
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].Qty, request.UsedStock[0].Qty);
    }
}

TEST_P(InventoryStore, ReplacingAndReadingBackLosesNothing)
{
    CsStockRec odd = Stock(-5, 7, 65535, -0.0, "Größe €");
    odd.Name = std::string(300, 'n') + "Ω";
    odd.Length = 0.1;
    odd.Thickness = std::numeric_limits<double>::denorm_min();
    odd.CostPerKg = std::numeric_limits<double>::max();
    odd.LeftTrim = std::numeric_limits<double>::infinity();
    odd.RightTrim = std::numeric_limits<double>::quiet_NaN();
    odd.Remarks = "tab\there; line\nbreak";
    odd.Date = OleDate{-1.25, OleDate::Valid};
    CsStockRec undated = Stock(6, CsStockRec::Offcut, 0);
    undated.Date = OleDate{3.5, OleDate::Null};
    CsStockRec invalid = Stock(7, CsStockRec::Prime, 1);
    invalid.Date = OleDate{1e300, OleDate::Invalid};
    CsStockDb stock;
    stock.LastId = std::numeric_limits<std::int32_t>::max() - 1;
    stock.Records = {odd, undated, invalid, Stock(8, CsStockRec::Prime, 2)};

    CsStockUsedRec line = UsedLine(8, 2);
    line.OrderNo = "Größe";
    line.Date = ParseDayMonthYear("29/02/2024");
    CsStockUsedRec undatedLine = UsedLine(8, 3);
    undatedLine.Date = OleDate{0.0, OleDate::Invalid};

    CsMateDb library;
    library.Value = 12345;
    library.Records = StarterMaterials();
    library.Records[0].Density = 7850.123f;
    library.Records[1].CostPerKg = std::numeric_limits<float>::denorm_min();

    ASSERT_EQ(store_->ReplaceInventory(stock, {line, undatedLine}, library), kInventoryDone);
    EXPECT_EQ(Read().Bytes(), stock.Bytes());
    std::vector<CsStockUsedRec> log;
    EXPECT_EQ(store_->ReadStockUsed(log), kInventoryDone);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(StockUsedLine(log[0], log[0].Date), StockUsedLine(line, line.Date));
    EXPECT_EQ(StockUsedLine(log[1], log[1].Date), StockUsedLine(undatedLine, undatedLine.Date));
    CsMateDb read;
    EXPECT_EQ(store_->ReadMaterialLibrary(read), kInventoryDone);
    EXPECT_EQ(read.Bytes(), library.Bytes());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_P(InventoryStore, TheMaterialLibraryIsSavedAndReadBack)
{
    CsMateDb library;
    ASSERT_EQ(store_->ReadMaterialLibrary(library), kInventoryDone);
    library.Records = {{"Zinc", "zn", 7140.5f, 3.25f, 150.0f, 12.5f}, {"Not used", "not_used", 7800, 100, 200, 200}};
    ASSERT_EQ(store_->SaveMaterialLibrary(library), kInventoryDone);
    CsMateDb read;
    ASSERT_EQ(NewStore(messages_)->ReadMaterialLibrary(read), kInventoryDone);
    EXPECT_EQ(read.Bytes(), library.Bytes());
    EXPECT_EQ(read.MaterialChoiceList(), "zn\nnot_used\n");
    EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Stores, InventoryStore, testing::Values(test::StoreKind::Files, test::StoreKind::Postgres),
                         test::StoreKindName);

} // namespace
} // namespace vellicor
