#include "inventory/booking.h"
#include "inventory/inventory.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/vellicordoc.h"
#include "support/recordingmessages.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

// Coils 1000 mm wide and 1 mm thick weighing 86 kg are 10 m long.
constexpr double kCoilWeight = 86.0;

std::unique_ptr<CVellicorDoc> MakeJob()
{
    auto doc = std::make_unique<CVellicorDoc>();
    doc->OrderNo = "A12";
    doc->SetPathName("job.vcj");
    doc->AddCoil(std::make_unique<CCoil>("17", 1000.0, "steel", 1.0, kCoilWeight, 3, "Edge damaged [SName:ROLL A]",
                                         2.0, 0.0, 0.0));
    doc->AddCoil(std::make_unique<CCoil>("17b", 1000.0, "steel", 1.0, kCoilWeight, 3, "", 2.0, 0.0, 0.0));
    doc->AddCoil(std::make_unique<CCoil>("C3", 1000.0, "steel", 1.0, kCoilWeight, 3, "typed", 2.0, 0.0, 0.0));
    doc->AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1.0, 450.0, 1000.0, "", 0));
    doc->Settings.MinOffCut = 50.0;
    for (int coil = 0; coil < 3; ++coil) {
        CSlitPosList slits;
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
        slits.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
        // 25 m of coil 17, 20 m of 17b, 5 m of C3; 100 mm rest width each.
        const double length = coil == 0 ? 25000.0 : coil == 1 ? 20000.0 : 5000.0;
        doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(coil), std::move(slits),
                                                   length * kCoilWeight / 10000.0, 0.0));
    }
    return doc;
}

TEST(BookingCheck, AsksAndRefusesInOrder)
{
    struct Case {
        const char* name;
        std::string orderNo;
        bool saved;
        int updated;
        bool result;
        std::deque<MessageAnswer> answers;
        BookingCheck check;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"no order no, declined", "", true, 0, true, {MessageAnswer::No}, BookingCheck::Refused, {268}},
        {"no order no, accepted", "", true, 0, true, {MessageAnswer::Yes}, BookingCheck::Proceed, {268}},
        {"unsaved without order no", "", false, 0, true, {MessageAnswer::Yes}, BookingCheck::Refused, {268, 175}},
        {"unsaved", "A12", false, 0, true, {}, BookingCheck::Refused, {175}},
        {"already booked, no result", "A12", true, 1, false, {}, BookingCheck::Refused, {263}},
        {"no result", "A12", true, 0, false, {}, BookingCheck::NoResult, {}},
        {"ready", "A12", true, 0, true, {}, BookingCheck::Proceed, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = MakeJob();
        doc->OrderNo = c.orderNo;
        doc->SetPathName(c.saved ? "job.vcj" : "");
        doc->InventoryUpdated = c.updated;
        if (!c.result)
            doc->Layouts.Clear();
        test::RecordingMessages messages;
        messages.answers = c.answers;
        EXPECT_EQ(CheckInventoryUpdate(*doc, messages), c.check);
        EXPECT_EQ(messages.Ids(), c.ids);
    }
    test::RecordingMessages messages;
    auto doc = MakeJob();
    doc->OrderNo.clear();
    messages.answers = {MessageAnswer::No};
    CheckInventoryUpdate(*doc, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(messages.shown[0].text.ends_with("continue without giving the order no. click \"Yes\"."));
}

TEST(BookingLists, UsedStockAndOffcutsOfTheResult)
{
    const auto doc = MakeJob();
    const BookingLists lists = FillLists(*doc);
    ASSERT_EQ(lists.UsedStock.size(), 3u);
    const CsStockRec& first = lists.UsedStock[0];
    EXPECT_EQ(first.Id, 17);
    EXPECT_EQ(first.Type, CsStockRec::Prime);
    EXPECT_EQ(first.Name, "");
    EXPECT_EQ(first.Qty, 3);
    EXPECT_EQ(first.Length, 10000.0);
    EXPECT_EQ(first.Width, 1000.0);
    EXPECT_EQ(first.Thickness, 1.0);
    EXPECT_EQ(first.Material, "steel");
    EXPECT_EQ(first.CostPerKg, 2.0);
    EXPECT_EQ(first.LeftTrim, 0.0);
    EXPECT_EQ(first.Remarks, "Edge damaged");
    EXPECT_EQ(first.Date.status, OleDate::Valid);
    EXPECT_EQ(lists.UsedStock[1].Id, 17);
    EXPECT_EQ(lists.UsedStock[1].Qty, 2);
    EXPECT_EQ(lists.UsedStock[2].Id, 0);
    EXPECT_EQ(lists.UsedStock[2].Remarks, "typed");

    // Half of coil 17 and of C3 left over, then the 100 mm strips of the three layouts.
    std::vector<std::string> names;
    for (const auto& o : lists.Offcuts) {
        names.push_back(o.Name);
        EXPECT_EQ(o.Type, CsStockRec::Offcut);
        EXPECT_EQ(o.Remarks, "");
        EXPECT_EQ(o.LeftTrim, 0.0);
        EXPECT_EQ(o.RightTrim, 0.0);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"steel_5000_1000", "steel_5000_1000", "steel_10000_100_1",
                                               "steel_5000_100_2", "steel_10000_100_1", "steel_5000_100"}));
    const CsStockRec& strips = lists.Offcuts[2];
    EXPECT_EQ(strips.Qty, 2);
    EXPECT_EQ(strips.Width, 100.0);
    EXPECT_NEAR(strips.Length, 10000.0, 1e-6);
    EXPECT_DOUBLE_EQ(strips.CostPerKg, 1.8);
}

TEST(BookingLists, UsedRecordsMergeById)
{
    std::vector<CsStockRec> used(3);
    used[0].Id = 5;
    used[0].Qty = 3;
    used[0].Material = "steel";
    used[0].Length = 2500.0;
    used[1].Id = 6;
    used[1].Qty = 1;
    used[2].Id = 5;
    used[2].Qty = 2;
    used[2].Width = 999.0;
    const auto merged = MergeUsedById(used, "A12");
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].Id, 5);
    EXPECT_EQ(merged[0].Qty, 5);
    EXPECT_EQ(merged[0].OrderNo, "A12");
    EXPECT_EQ(merged[0].Material, "steel");
    EXPECT_EQ(merged[0].Length, 2500.0);
    EXPECT_EQ(merged[0].Width, 1.0);
    EXPECT_EQ(merged[0].Date, used[0].Date);
    EXPECT_EQ(merged[0].Spare, "");
    EXPECT_EQ(merged[1].Id, 6);
}

class Booking : public test::TempDirTest {
protected:
    test::RecordingMessages messages_;
};

TEST_F(Booking, DeductsLogsAppendsAndPurges)
{
    CsStockDb db;
    db.LastId = 20;
    CsStockRec prime;
    prime.Id = 17;
    prime.Qty = 5;
    prime.Length = 10000.0;
    prime.Width = 1000.0;
    prime.Material = "steel";
    db.Records.push_back(prime);
    CsStockRec spent = prime;
    spent.Id = 18;
    spent.Type = CsStockRec::Offcut;
    spent.Qty = 0;
    db.Records.push_back(spent);
    test::WriteFile(dir_ / "stock.db", db.Bytes());

    CsInventory inventory(dir_.string(), messages_);
    const auto doc = MakeJob();
    BookingLists lists = FillLists(*doc);
    lists.Offcuts[0].Name = "edited";
    ASSERT_TRUE(BookStock(inventory, doc->OrderNo, lists.UsedStock, lists.Offcuts));
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(lists.Offcuts[0].Id, 21);
    EXPECT_EQ(lists.Offcuts[5].Id, 26);

    CsStockDb after;
    ASSERT_TRUE(after.Load(test::ReadFile(dir_ / "stock.db")));
    EXPECT_EQ(after.LastId, 26);
    ASSERT_EQ(after.Records.size(), 7u);
    EXPECT_EQ(after.Records[0].Qty, 0);
    EXPECT_EQ(after.Records[1].Name, "edited");
    EXPECT_EQ(after.Records[1].Id, 21);

    // Coils 17 and 17b were both booked against id 17: 3 + 2 coils, one line.
    const auto log = ParseStockUsed(test::ReadFile(dir_ / "stkused.db"));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Id, 17);
    EXPECT_EQ(log[0].Qty, 5);
    EXPECT_EQ(log[0].OrderNo, "A12");
    EXPECT_EQ(log[0].Length, 10000.0);
}

} // namespace
} // namespace vellicor
