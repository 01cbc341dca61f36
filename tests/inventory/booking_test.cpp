#include "inventory/booking.h"
#include "inventory/bookingplan.h"
#include "inventory/inventory.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "support/bookingjob.h"
#include "support/recordingmessages.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

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
        auto doc = test::MakeBookingJob();
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
    auto doc = test::MakeBookingJob();
    doc->OrderNo.clear();
    messages.answers = {MessageAnswer::No};
    CheckInventoryUpdate(*doc, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(messages.shown[0].text.ends_with("continue without giving the order no. click \"Yes\"."));
}

TEST(BookingLists, UsedStockAndOffcutsOfTheResult)
{
    const auto doc = test::MakeBookingJob();
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

// The booking job as length mode keeps it: nominal thickness, the same lengths, and what the
// planner typed as the thickness for the session.
void KeepInLengthMode(CVellicorDoc& doc, double given)
{
    for (const auto& coil : doc.Coils) {
        coil->WeightPerCoil *= kNominalThickness / coil->Thickness;
        coil->Thickness = kNominalThickness;
        coil->GivenThickness = given;
    }
    for (const auto& layout : doc.Layouts)
        layout->Weight *= kNominalThickness;
}

TEST(BookingLists, LengthModeBooksTheThicknessTheUserGave)
{
    auto doc = test::MakeBookingJob();
    KeepInLengthMode(*doc, 1.5);
    test::RecordingMessages messages;
    EXPECT_EQ(CheckInventoryUpdate(*doc, messages), BookingCheck::Proceed);
    const BookingLists lists = FillLists(*doc);
    ASSERT_EQ(lists.UsedStock.size(), 3u);
    EXPECT_EQ(lists.UsedStock[0].Length, 10000.0);
    for (const auto& rec : lists.UsedStock)
        EXPECT_EQ(rec.Thickness, 1.5);
    ASSERT_EQ(lists.Offcuts.size(), 6u);
    for (const auto& rec : lists.Offcuts)
        EXPECT_EQ(rec.Thickness, 1.5) << rec.Name;
    for (const auto& rec : MergeUsedById(lists.UsedStock, "A12"))
        EXPECT_EQ(rec.Thickness, 1.5);

    // Opened from a file, the real thickness is not known: nothing is booked with the nominal one.
    for (const auto& coil : doc->Coils)
        coil->GivenThickness = 0.0;
    EXPECT_EQ(CheckInventoryUpdate(*doc, messages), BookingCheck::Refused);
    EXPECT_EQ(messages.Ids(), std::vector<int>{ids::ThicknessNotKnown});
    EXPECT_TRUE(messages.shown[0].text.find("roll 17 ") != std::string::npos);
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
    CsStockDb db = test::MakeBookingStock();
    CsStockRec spent = db.Records[0];
    spent.Id = 18;
    spent.Type = CsStockRec::Offcut;
    spent.Qty = 0;
    db.Records.push_back(spent);
    test::WriteFile(dir_ / "stock.db", db.Bytes());

    CsInventory inventory(dir_.string(), messages_);
    const auto doc = test::MakeBookingJob();
    BookingLists lists = FillLists(*doc);
    lists.Offcuts[0].Name = "edited";
    BookingRequest request{doc->OrderNo, lists.UsedStock, lists.Offcuts, Path("job.vcj"), "booked job", {}};
    ASSERT_EQ(inventory.Book(request), kInventoryDone);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(request.Offcuts[0].Id, 21);
    EXPECT_EQ(request.Offcuts[5].Id, 26);
    EXPECT_EQ(test::ReadFile(dir_ / "job.vcj"), "booked job");
    EXPECT_FALSE(fs::exists(dir_ / "booking.jnl"));

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
