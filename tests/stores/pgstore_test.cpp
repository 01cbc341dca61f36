// The PostgreSQL store under attack: bad connections, broken connections at every step of a
// booking, reruns and bookings from several processes at once.
#include "cli/cli.h"
#include "inventory/booking.h"
#include "inventory/bookingkey.h"
#include "inventory/bookingplan.h"
#include "model/jobfile.h"
#include "platform/memorysettingsstore.h"
#include "platform/stringids.h"
#include "stores/storefixture.h"
#include "support/bookingjob.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vellicor {
namespace {

class PgStore : public test::StoreFixture, public testing::Test {
protected:
    void SetUp() override { Prepare(test::StoreKind::Postgres); }
    void TearDown() override { Finish(); }

    test::PgTestCluster& Cluster() { return test::PgTestCluster::Get(); }

    // The booking job's stock with `qty` coils of id 17, in a fresh database; its store.
    std::unique_ptr<PgInventoryStore> FreshStore(std::uint16_t qty = 5)
    {
        uri_ = Cluster().NewDatabase();
        auto store = std::make_unique<PgInventoryStore>(uri_, messages_);
        EXPECT_EQ(store->InitSchema(), kPgSchemaVersion);
        CsStockDb stock = test::MakeBookingStock();
        stock.Records[0].Qty = qty;
        stock.Records[0].Date = OleDate{46364.5};
        EXPECT_EQ(store->ReplaceInventory(stock, {}, CsMateDb()), kInventoryDone);
        return store;
    }

    // The stock and log as they stand, but that a sequence may skip the ids a broken booking drew:
    // offcut ids only have to rise.
    static std::string Bytes(IInventoryStore& store)
    {
        CsStockDb db;
        EXPECT_EQ(store.ReadStock(db), kInventoryDone);
        std::int32_t last = 0;
        for (auto& rec : db.Records) {
            if (rec.Type != CsStockRec::Offcut)
                continue;
            EXPECT_GT(rec.Id, last);
            EXPECT_LE(rec.Id, db.LastId);
            last = rec.Id;
            rec.Id = 0;
        }
        db.LastId = 0;
        std::vector<CsStockUsedRec> log;
        EXPECT_EQ(store.ReadStockUsed(log), kInventoryDone);
        std::string bytes = db.Bytes();
        for (const auto& rec : log)
            bytes += "|" + std::to_string(rec.Id) + ":" + std::to_string(rec.Qty);
        return bytes;
    }

    // The offcuts are dated now: one booking made once compares byte for byte.
    // Without a job file to save.
    BookingRequest JobBooking() const
    {
        BookingLists lists = FillLists(*job_);
        for (auto& rec : lists.Offcuts)
            rec.Date = OleDate{46365.25};
        return {job_->OrderNo, lists.UsedStock, lists.Offcuts, {}, {}, {}, BookingKey(*job_)};
    }

    std::unique_ptr<CVellicorDoc> job_ = test::MakeBookingJob();
};

TEST_F(PgStore, TheSchemaIsCreatedOnceAndRefusedWhenMissingOrNewer)
{
    PgInventoryStore store(uri_, messages_);
    std::vector<CsStockRec> offcut(1);
    ASSERT_EQ(store.AppendStock(offcut), kInventoryDone);
    EXPECT_EQ(store.InitSchema(), kPgSchemaVersion);
    CsStockDb db;
    EXPECT_EQ(store.ReadStock(db), kInventoryDone);
    EXPECT_EQ(db.Records.size(), 1u);

    PgInventoryStore empty(Cluster().NewDatabase(), messages_);
    EXPECT_FALSE(empty.Open());
    PgConnection admin(uri_);
    ASSERT_TRUE(admin.Connect());
    ASSERT_TRUE(admin.Exec("UPDATE vellicor.meta SET value = '99' WHERE name = 'schema_version'"));
    EXPECT_FALSE(store.Open());
    EXPECT_EQ(store.InitSchema(), 99);
    EXPECT_EQ(messages_.Ids(), (std::vector<int>{ids::StoreNoSchema, ids::StoreNewerSchema, ids::StoreNewerSchema}));
}

TEST_F(PgStore, ConnectionFailuresAreToldClearly)
{
    const std::string database = uri_.substr(uri_.find("@/") + 2, uri_.find('?') - uri_.find("@/") - 2);
    struct Case {
        std::string uri;
        int message;
        std::string detail;
    };
    const Case cases[] = {
        {Cluster().Uri(database, "wrong"), ids::StoreWrongPassword, ""},
        {"postgresql://planner:x@/db?host=" + dir_.string(), ids::StoreConnectFailed, "No such file or directory"},
        {Cluster().Uri("nosuchdb", Cluster().Password()), ids::StoreConnectFailed, "\"nosuchdb\" does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        test::RecordingMessages messages;
        PgInventoryStore store(c.uri, messages);
        EXPECT_FALSE(store.Open());
        CsStockDb db;
        EXPECT_EQ(store.ReadStock(db), kInventoryFailed);
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[0].id, c.message);
        EXPECT_NE(messages.shown[0].text.find(c.detail), std::string::npos) << messages.shown[0].text;
        // The password never shows.
        EXPECT_EQ(messages.shown[0].text.find(Cluster().Password()), std::string::npos);
        EXPECT_EQ(messages.shown[0].text.find("wrong"), std::string::npos);
    }
}

TEST_F(PgStore, ARerunOfTheSameBookingIsRefusedWhateverHappenedToTheJob)
{
    const auto store = FreshStore(20);
    BookingRequest first = JobBooking();
    ASSERT_EQ(store->Book(first), kInventoryDone);
    const std::string booked = Bytes(*store);

    // The job file lost its flag, or a copy of it is booked from another planner's store.
    test::RecordingMessages other;
    PgInventoryStore second(uri_, other);
    BookingRequest again = JobBooking();
    EXPECT_EQ(second.Book(again), kInventoryAlreadyBooked);
    EXPECT_EQ(store->Book(again), kInventoryAlreadyBooked);
    EXPECT_EQ(Bytes(*store), booked);

    // Another order is another booking.
    job_->OrderNo = "A13";
    BookingRequest next = JobBooking();
    EXPECT_EQ(store->Book(next), kInventoryDone);
    EXPECT_EQ(next.Offcuts.front().Id, first.Offcuts.back().Id + 1);
    EXPECT_EQ(messages_.Ids(), std::vector<int>{263});
    EXPECT_EQ(other.Ids(), std::vector<int>{263});
}

// The connection of a booking is broken before each of its statements in turn. When it can come
// back, the booking completes; when it cannot, the booking is absent and a rerun completes it.
// Either way it is booked exactly once.
TEST_F(PgStore, ABookingWhoseConnectionIsKilledAtAnyStepIsCompleteOrAbsent)
{
    int steps = 0;
    std::string reference;
    {
        const auto store = FreshStore();
        store->Connection().SetStatementHook([&](const std::string&) { ++steps; });
        BookingRequest booking = JobBooking();
        ASSERT_EQ(store->Book(booking), kInventoryDone);
        store->Connection().SetStatementHook({});
        reference = Bytes(*store);
    }
    ASSERT_GT(steps, 8);

    for (const bool comesBack : {true, false}) {
        for (int step = 1; step <= steps; ++step) {
            SCOPED_TRACE((comesBack ? "reconnects, killed before statement " : "stays away, killed before statement ")
                         + std::to_string(step));
            const auto store = FreshStore();
            const std::string before = Bytes(*store);
            messages_.shown.clear();
            int seen = 0;
            store->Connection().SetStatementHook([&](const std::string&) {
                if (++seen != step)
                    return;
                if (!comesBack)
                    Cluster().AllowLogin(false);
                Cluster().Terminate(store->Connection().BackendPid());
            });
            BookingRequest booking = JobBooking();
            const int outcome = store->Book(booking);
            store->Connection().SetStatementHook({});
            Cluster().AllowLogin(true);
            if (comesBack) {
                EXPECT_EQ(outcome, kInventoryDone);
                EXPECT_TRUE(messages_.shown.empty());
            } else {
                EXPECT_EQ(outcome, kInventoryFailed);
                EXPECT_EQ(messages_.Ids(), std::vector<int>{ids::StoreConnectionLost});
                EXPECT_EQ(Bytes(*store), before);
                BookingRequest rerun = JobBooking();
                EXPECT_EQ(store->Book(rerun), kInventoryDone);
            }
            EXPECT_EQ(Bytes(*store), reference);
            BookingRequest again = JobBooking();
            EXPECT_EQ(store->Book(again), kInventoryAlreadyBooked);
        }
    }
}

// The server commits a booking but its answer is lost with the connection: the booking cannot know
// whether it went through, so it asks, finds its own attempt and reports it done with the offcut
// ids it was given. It is in the store once, as a booking that lost nothing is.
TEST_F(PgStore, ABookingWhoseCommitAnswerIsLostIsDoneOnce)
{
    std::string reference;
    std::vector<int> referenceIds;
    {
        const auto store = FreshStore();
        BookingRequest booking = JobBooking();
        ASSERT_EQ(store->Book(booking), kInventoryDone);
        reference = Bytes(*store);
        for (const auto& rec : booking.Offcuts)
            referenceIds.push_back(rec.Id);
    }
    const auto store = FreshStore();
    // The commit of the transaction that claimed the booking, the first time only.
    bool claimed = false;
    bool lost = false;
    store->Connection().SetAnswerHook([&](const std::string& sql) {
        claimed = claimed || sql.starts_with("INSERT INTO vellicor.bookings");
        if (!claimed || lost || sql != "COMMIT")
            return false;
        lost = true;
        return true;
    });
    BookingRequest booking = JobBooking();
    EXPECT_EQ(store->Book(booking), kInventoryDone);
    store->Connection().SetAnswerHook({});
    EXPECT_TRUE(lost);
    EXPECT_TRUE(messages_.shown.empty());
    std::vector<int> ids;
    for (const auto& rec : booking.Offcuts)
        ids.push_back(rec.Id);
    EXPECT_EQ(ids, referenceIds);
    EXPECT_EQ(Bytes(*store), reference);
    BookingRequest again = JobBooking();
    EXPECT_EQ(store->Book(again), kInventoryAlreadyBooked);
}

// Several vellicor-cli processes book jobs into one database at once, two of them the same job.
TEST_F(PgStore, BookingsFromSeveralProcessesAtOnceLoseNothing)
{
    constexpr int kProcesses = 6;
    constexpr int kJobsEach = 4;
    const auto store = FreshStore(1000);
    const BookingRequest one = JobBooking();
    int usedPerJob = 0;
    for (const auto& rec : one.UsedStock)
        usedPerJob += rec.Id == 17 ? rec.Qty : 0;

    std::vector<std::string> jobs;
    for (int p = 0; p < kProcesses; ++p)
        for (int j = 0; j < kJobsEach; ++j) {
            job_->OrderNo = "P" + std::to_string(p) + "J" + std::to_string(j);
            jobs.push_back((dir_ / (job_->OrderNo + ".vcj")).string());
            ASSERT_EQ(SaveJobFile(*job_, jobs.back()), 0);
        }
    // The last process's last job is a copy of the first process's first.
    std::filesystem::copy_file(jobs.front(), jobs.back(), std::filesystem::copy_options::overwrite_existing);

    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int j = 0; j < kJobsEach; ++j) {
                std::ostringstream out;
                std::ostringstream err;
                const int status = cli::RunCli({"--profile", (dir_ / "none.ini").string(), "book",
                                                jobs[static_cast<std::size_t>(p * kJobsEach + j)], "--store", uri_},
                                               out, err);
                failures += status != cli::kExitOk && status != cli::kExitNoResult;
            }
            // No destructors: the parent's connections are the parent's.
            _exit(failures);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    constexpr int kBooked = kProcesses * kJobsEach - 1;
    CsStockDb db;
    ASSERT_EQ(store->ReadStock(db), kInventoryDone);
    ASSERT_EQ(db.Records.size(), 1 + kBooked * one.Offcuts.size());
    EXPECT_EQ(db.Records[0].Qty, 1000 - kBooked * usedPerJob);
    std::set<std::int32_t> ids;
    for (const auto& rec : db.Records)
        ids.insert(rec.Id);
    EXPECT_EQ(ids.size(), db.Records.size());
    EXPECT_EQ(*ids.rbegin(), db.LastId);
    std::vector<CsStockUsedRec> log;
    ASSERT_EQ(store->ReadStockUsed(log), kInventoryDone);
    EXPECT_EQ(log.size(), static_cast<std::size_t>(kBooked));
    std::set<std::string> orders;
    for (const auto& rec : log)
        orders.insert(rec.OrderNo);
    EXPECT_EQ(orders.size(), log.size());
    for (const auto& path : jobs)
        EXPECT_EQ(LoadJobFile(path, MemorySettingsStore()).doc->InventoryUpdated, 1) << path;
}

TEST_F(PgStore, AnErpReadsStockAndLogWithRealDates)
{
    const auto store = FreshStore();
    CsStockDb stock = test::MakeBookingStock();
    stock.Records[0].Date = MakeOleDate({2026, 12, 8, 12, 30, 0});
    CsStockUsedRec line;
    line.Id = 17;
    line.OrderNo = "A12";
    line.Qty = 2;
    line.Date = ParseDayMonthYear("08/12/2026");
    ASSERT_EQ(store->ReplaceInventory(stock, {line}, CsMateDb()), kInventoryDone);

    PgConnection erp(uri_);
    ASSERT_TRUE(erp.Connect());
    const auto onHand = erp.Exec("SELECT stock_id, kind, qty, dated FROM vellicor.stock_on_hand");
    ASSERT_TRUE(onHand) << erp.Error();
    ASSERT_EQ(onHand->Rows(), 1);
    EXPECT_EQ(onHand->Text(0, 0), "17");
    EXPECT_EQ(onHand->Text(0, 1), "Prime");
    EXPECT_EQ(onHand->Text(0, 2), "5");
    EXPECT_EQ(onHand->Text(0, 3), "2026-12-08 12:30:00");
    const auto used = erp.Exec("SELECT stock_id, order_no, qty, used_on FROM vellicor.stock_used_log");
    ASSERT_TRUE(used) << erp.Error();
    ASSERT_EQ(used->Rows(), 1);
    EXPECT_EQ(used->Text(0, 3), "2026-12-08");
}

} // namespace
} // namespace vellicor
