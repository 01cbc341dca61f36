#include "inventory/bookingjournal.h"
#include "inventory/inventory.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

const BookingJournal kJournal{{{"/data/stock.db", std::string("\xDA\x00\x01\nend 12", 9)}, {"/data/stkused.db", ""},
                               {"/jobs/a job.vcj", "job", JournalChecksum("planned job")}}};

TEST(BookingJournalBytes, RoundTripAndEveryDamageRefused)
{
    const std::string bytes = JournalBytes(kJournal);
    const auto back = ParseJournal(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Entries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back->Entries[i].Path, kJournal.Entries[i].Path);
        EXPECT_EQ(back->Entries[i].Bytes, kJournal.Entries[i].Bytes);
        EXPECT_EQ(back->Entries[i].Before, kJournal.Entries[i].Before);
    }
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(ParseJournal(std::string_view(bytes).substr(0, n))) << n;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string flipped = bytes;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x20);
        EXPECT_FALSE(ParseJournal(flipped)) << at;
    }
}

class LeftJournal : public test::TempDirTest {
protected:
    test::RecordingMessages messages_;
};

// A journal that is not whole was not written by a booking: it is told and left for a person to look at.
TEST_F(LeftJournal, ADamagedJournalIsToldAndLeftAlone)
{
    const std::string damaged = JournalBytes(kJournal).substr(0, 40);
    test::WriteFile(Path("booking.jnl"), damaged);
    CsInventory inventory(dir_.string(), messages_);
    std::vector<CsStockUsedRec> read;
    EXPECT_EQ(inventory.ReadStockUsed(read), kInventoryFailed);
    EXPECT_EQ(messages_.Ids(), std::vector<int>{ids::DamagedFile});
    EXPECT_EQ(messages_.shown[0].args, std::vector<std::string>{Path("booking.jnl")});
    EXPECT_EQ(test::ReadFile(Path("booking.jnl")), damaged);
    EXPECT_FALSE(fs::exists(Path("stock.db")));
}

// The job is saved without the inventory's lock, so a planner may save it between an interrupted
// booking and its completion: the booked job is written all the same, and the planner's version is
// kept beside it.
TEST_F(LeftJournal, AJobSavedSinceThePlanIsKeptBesideTheBookedOne)
{
    struct Case {
        const char* what;
        std::optional<std::string> onDisk;
        std::vector<std::string> asides; // the kept versions, in the order of their names
    };
    const Case cases[] = {
        {"as planned", "planned job", {}},
        {"booked already", "booked job", {}},
        {"saved by the planner", "edited job", {"edited job"}},
        {"saved again, after a first copy was kept", "edited again", {"edited job", "edited again"}},
        {"removed", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        test::RecordingMessages messages;
        const std::string job = Path("job.vcj");
        if (c.asides.size() > 1)
            test::WriteFile(job + ".changed", c.asides[0]);
        if (c.onDisk)
            test::WriteFile(job, *c.onDisk);
        const BookingJournal journal{{{Path("stock.db"), "stock"}, {job, "booked job", JournalChecksum("planned job")}}};
        test::WriteFile(Path("booking.jnl"), JournalBytes(journal));

        ASSERT_TRUE(RollForwardBooking(dir_.string(), messages));
        EXPECT_EQ(test::ReadFile(job), "booked job");
        EXPECT_EQ(test::ReadFile(Path("stock.db")), "stock");
        EXPECT_FALSE(fs::exists(Path("booking.jnl")));
        const std::vector<std::string> names = {job + ".changed", job + ".changed-2"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(fs::exists(names[i]), i < c.asides.size()) << names[i];
            if (i < c.asides.size())
                EXPECT_EQ(test::ReadFile(names[i]), c.asides[i]);
        }
        if (c.asides.empty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.Ids(), std::vector<int>{ids::ChangedFileKeptAside});
            EXPECT_EQ(messages.shown[0].args, (std::vector<std::string>{job, names[c.asides.size() - 1]}));
        }
    }
}

} // namespace
} // namespace vellicor
