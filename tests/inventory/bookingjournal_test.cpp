#include "inventory/bookingjournal.h"
#include "inventory/inventory.h"
#include "platform/stringids.h"
#include "support/recordingmessages.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

const BookingJournal kJournal{{{"/data/stock.db", std::string("\xDA\x00\x01\nend 12", 9)}, {"/data/stkused.db", ""},
                               {"/jobs/a job.vcj", "job"}}};

TEST(BookingJournalBytes, RoundTripAndEveryDamageRefused)
{
    const std::string bytes = JournalBytes(kJournal);
    const auto back = ParseJournal(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Entries.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back->Entries[i].Path, kJournal.Entries[i].Path);
        EXPECT_EQ(back->Entries[i].Bytes, kJournal.Entries[i].Bytes);
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

} // namespace
} // namespace vellicor
