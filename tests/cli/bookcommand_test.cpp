#include "cli/cli.h"
#include "cli/datadir.h"
#include "inventory/booking.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "platform/safefile.h"
#include "support/clitest.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

class BookCommand : public test::CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        fs::create_directories(dir_ / "data");
        // The first stock row came from inventory record 7.
        auto doc = test::MakeSampleJob();
        doc->GetCoil(0)->Name = "7";
        lengthPerCoil_ = doc->GetCoil(0)->LengthPerCoil();
        ASSERT_EQ(SaveJobFile(*doc, Path("job.vcj")), 0);

        CsStockDb db;
        db.LastId = 41;
        CsStockRec rec;
        rec.Id = 7;
        rec.Name = "CR 1250";
        rec.Qty = 5;
        rec.Length = lengthPerCoil_;
        rec.Width = 1250.0;
        rec.Thickness = 1.5;
        rec.Material = "crca";
        db.Records.push_back(rec);
        test::WriteFile(dir_ / "data" / "stock.db", db.Bytes());
    }

    CsStockDb Stock() const
    {
        CsStockDb db;
        EXPECT_TRUE(db.Load(test::ReadFile(dir_ / "data" / "stock.db")));
        return db;
    }

    double lengthPerCoil_ = 0.0;
};

TEST_F(BookCommand, BooksTheJobOnceIntoTheDataDirectory)
{
    const test::CliRun run = Cli({"book", Path("job.vcj"), "--data", Path("data"), "--order", "B7"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Stock used (2)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Offcuts added (4)\n"), std::string::npos) << run.out;

    // One coil of record 7 deducted; the rest of each row's coil and each layout's strip added.
    const CsStockDb db = Stock();
    EXPECT_EQ(db.LastId, 45);
    ASSERT_EQ(db.Records.size(), 5u);
    EXPECT_EQ(db.Records[0].Qty, 4);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(db.Records[i].Id, static_cast<std::int32_t>(41 + i));
        EXPECT_EQ(db.Records[i].Type, CsStockRec::Offcut);
        EXPECT_EQ(db.Records[i].Material, "crca");
    }
    EXPECT_EQ(db.Records[1].Name, "crca_562015_1250");
    EXPECT_EQ(db.Records[3].Name, "crca_58139_553");

    // Only the coil from the inventory is logged.
    const auto log = ParseStockUsed(test::ReadFile(dir_ / "data" / "stkused.db"));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Id, 7);
    EXPECT_EQ(log[0].OrderNo, "B7");
    EXPECT_EQ(log[0].Qty, 1);

    const LoadedJob job = LoadJobFile(Path("job.vcj"), MemorySettingsStore());
    ASSERT_TRUE(job.doc);
    EXPECT_EQ(job.doc->InventoryUpdated, 1);
    EXPECT_EQ(job.doc->OrderNo, "B7");

    const test::CliRun listed = Cli({"inventory", "list", "--data", Path("data")});
    EXPECT_EQ(listed.status, cli::kExitOk);
    EXPECT_NE(listed.out.find("Last id: 45\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\n  44  Offcut  crca_58139_553    58139.535   553.500  1.500      1    crca"),
              std::string::npos)
        << listed.out;

    const std::string before = test::ReadFile(dir_ / "data" / "stock.db");
    const test::CliRun again = Cli({"book", Path("job.vcj"), "--data", Path("data")});
    EXPECT_EQ(again.status, cli::kExitNoResult);
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "The inventory has already been updated for this job. See Inventory help for more "
                         "information.\n");
    EXPECT_EQ(test::ReadFile(dir_ / "data" / "stock.db"), before);
}

TEST_F(BookCommand, RefusalsAndFailures)
{
    auto noResult = test::MakeSampleJob();
    noResult->Layouts.Clear();
    ASSERT_EQ(SaveJobFile(*noResult, Path("empty.vcj")), 0);
    auto noOrder = test::MakeSampleJob();
    noOrder->OrderNo.clear();
    ASSERT_EQ(SaveJobFile(*noOrder, Path("noorder.vcj")), 0);

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"book", Path("noorder.vcj"), "--data", Path("data")}, cli::kExitNoResult,
         "Please enter the Job Order No. before updating the inventory"},
        {{"book", Path("empty.vcj"), "--data", Path("data")}, cli::kExitNoResult, "Result does not exist."},
        {{"book", Path("job.vcj"), "--data", Path("nodir")}, cli::kExitIo, Path("nodir") + "\nCannot find this file."},
        {{"book", Path("missing.vcj"), "--data", Path("data")}, cli::kExitIo, Path("missing.vcj") + "\nCannot find"},
        {{"inventory", "list", "--data", Path("nodir")}, cli::kExitIo, Path("nodir") + "\nCannot find this file."},
        {{"book"}, cli::kExitUsage, "vellicor-cli: book needs IN"},
        {{"book", Path("job.txt")}, cli::kExitUsage, "vellicor-cli: '"},
        {{"book", Path("job.vcj"), "--data"}, cli::kExitUsage, "vellicor-cli: --data needs a directory"},
        {{"book", Path("job.vcj"), "--force"}, cli::kExitUsage, "vellicor-cli: unknown option '--force'"},
        {{"inventory"}, cli::kExitUsage, "vellicor-cli: inventory needs 'list'"},
        {{"inventory", "show"}, cli::kExitUsage, "vellicor-cli: unexpected argument 'show'"},
    };
    const std::string stock = test::ReadFile(dir_ / "data" / "stock.db");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const test::CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    }
    EXPECT_EQ(test::ReadFile(dir_ / "data" / "stock.db"), stock);
    EXPECT_FALSE(fs::exists(dir_ / "data" / "stkused.db"));
    EXPECT_EQ(LoadJobFile(Path("noorder.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 0);
}

TEST_F(BookCommand, AJsonJobIsSavedFlaggedInItsOwnFormat)
{
    ASSERT_EQ(Cli({"convert", Path("job.vcj"), Path("job.json")}).status, cli::kExitOk);
    const test::CliRun run = Cli({"book", Path("job.json"), "--data", Path("data")});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_NE(test::ReadFile(dir_ / "job.json").find("\"inventoryUpdated\": 1"), std::string::npos);
    EXPECT_EQ(Stock().Records[0].Qty, 4);
    EXPECT_EQ(Cli({"book", Path("job.json"), "--data", Path("data")}).status, cli::kExitNoResult);
    EXPECT_EQ(Stock().Records[0].Qty, 4);
}

// Nothing is booked and the job stays unflagged, however often it is tried.
TEST_F(BookCommand, ABookingThatCannotGoThroughChangesNothing)
{
    struct Case {
        const char* name;
        std::function<void()> prepare;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"job file read-only", [this] { fs::permissions(Path("job.vcj"), fs::perms::owner_read); },
         cli::kExitIo, "Unable to write to " + Path("job.vcj") + ", it is read-only"},
        {"damaged stock.db", [this] { test::WriteFile(dir_ / "data" / "stock.db", "\xDA\x00junk"); },
         cli::kExitIo, "Unexpected file format."},
        {"coils match no stock record",
         [this] {
             auto doc = test::MakeSampleJob();
             doc->GetCoil(0)->Name = "99";
             ASSERT_EQ(SaveJobFile(*doc, Path("job.vcj")), 0);
         },
         cli::kExitNoResult, "These coils of the job match no stock record with enough coils left:\n  99  crca"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.prepare();
        const std::string stock = test::ReadFile(dir_ / "data" / "stock.db");
        const std::string job = test::ReadFile(dir_ / "job.vcj");
        for (int attempt = 0; attempt < 3; ++attempt) {
            const test::CliRun run = Cli({"book", Path("job.vcj"), "--data", Path("data")});
            EXPECT_EQ(run.status, c.status);
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        }
        EXPECT_EQ(test::ReadFile(dir_ / "data" / "stock.db"), stock);
        EXPECT_FALSE(fs::exists(dir_ / "data" / "stkused.db"));
        EXPECT_FALSE(fs::exists(dir_ / "data" / "booking.jnl"));
        EXPECT_EQ(test::ReadFile(dir_ / "job.vcj"), job);
        fs::permissions(Path("job.vcj"), fs::perms::owner_all);
    }
}

// Killed after its journal and the new stock.db: the next command completes it, flag and all.
TEST_F(BookCommand, AnInterruptedBookingIsCompletedByTheNextCommand)
{
    InjectWriteFault(3, WriteFault::Stop);
    EXPECT_THROW(Cli({"book", Path("job.vcj"), "--data", Path("data")}), WriteStopped);
    ClearWriteFault();
    EXPECT_TRUE(fs::exists(dir_ / "data" / "booking.jnl"));
    EXPECT_EQ(LoadJobFile(Path("job.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 0);

    const test::CliRun listed = Cli({"inventory", "list", "--data", Path("data")});
    EXPECT_EQ(listed.status, cli::kExitOk) << listed.err;
    EXPECT_NE(listed.out.find("Last id: 45\n"), std::string::npos) << listed.out;
    EXPECT_FALSE(fs::exists(dir_ / "data" / "booking.jnl"));
    EXPECT_EQ(LoadJobFile(Path("job.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 1);
    EXPECT_EQ(ParseStockUsed(test::ReadFile(dir_ / "data" / "stkused.db")).size(), 1u);
    EXPECT_EQ(Cli({"book", Path("job.vcj"), "--data", Path("data")}).status, cli::kExitNoResult);
    EXPECT_EQ(Stock().Records[0].Qty, 4);
}

#ifndef _WIN32
// Separate programs booking into one data directory at once lose nothing and share no id.
TEST_F(BookCommand, ProgramsBookingAtOnceEachGetTheirShare)
{
    constexpr int kPrograms = 4;
    std::string script;
    for (int i = 0; i < kPrograms; ++i) {
        const std::string job = Path("job" + std::to_string(i) + ".vcj");
        fs::copy_file(Path("job.vcj"), job);
        script += "'" VELLICOR_CLI "' --profile '" + Path("none.ini") + "' book '" + job + "' --data '" + Path("data")
            + "' --order J" + std::to_string(i) + " >/dev/null & ";
    }
    auto db = Stock();
    db.Records[0].Qty = kPrograms;
    test::WriteFile(dir_ / "data" / "stock.db", db.Bytes());
    ASSERT_EQ(std::system((script + "wait").c_str()), 0);

    const CsStockDb after = Stock();
    EXPECT_EQ(after.Records[0].Qty, 0);
    EXPECT_EQ(after.LastId, 41 + 4 * kPrograms);
    std::set<std::int32_t> ids;
    for (const auto& rec : after.Records)
        ids.insert(rec.Id);
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(1 + 4 * kPrograms));
    const auto log = ParseStockUsed(test::ReadFile(dir_ / "data" / "stkused.db"));
    EXPECT_EQ(log.size(), static_cast<std::size_t>(kPrograms));
    for (int i = 0; i < kPrograms; ++i)
        EXPECT_EQ(LoadJobFile(Path("job" + std::to_string(i) + ".vcj"), MemorySettingsStore()).doc->InventoryUpdated, 1);
}
#endif

TEST_F(BookCommand, ListingPrintsJsonAndCreatesNothing)
{
    const test::CliRun json = Cli({"inventory", "list", "--json", "--data", Path("data")});
    ASSERT_EQ(json.status, cli::kExitOk) << json.err;
    EXPECT_NE(json.out.find("\"lastId\": 41,"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"name\": \"CR 1250\","), std::string::npos);
    EXPECT_NE(json.out.find("\"qty\": 5,"), std::string::npos);

    fs::create_directories(dir_ / "fresh");
    const test::CliRun empty = Cli({"inventory", "list", "--data", Path("fresh")});
    EXPECT_EQ(empty.status, cli::kExitOk);
    EXPECT_NE(empty.out.find("Records (0)\n"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir_ / "fresh"));
}

// The sample's stock rows are named after their inventory records 101, 102 and 205.
TEST_F(BookCommand, AnOptimisedSampleIsBookedAgainstTheStockItsRowsCameFrom)
{
    const fs::path sample = fs::path(VELLICOR_SOURCE_DIR) / "examples" / "sample.vcj";
    const LoadedJob input = LoadJobFile(sample.string(), MemorySettingsStore());
    ASSERT_TRUE(input.doc);
    CsStockDb db;
    db.LastId = 300;
    for (const auto& coil : input.doc->Coils) {
        CsStockRec& rec = db.Records.emplace_back();
        rec.Id = std::stoi(coil->Name);
        rec.Qty = static_cast<std::uint16_t>(coil->Qty);
        rec.Length = coil->LengthPerCoil();
        rec.Width = coil->Width;
        rec.Thickness = coil->Thickness;
        rec.Material = coil->Material;
    }
    test::WriteFile(dir_ / "data" / "stock.db", db.Bytes());

    ASSERT_EQ(Cli({"optimise", sample.string(), "-o", Path("sample.vcj")}).status, cli::kExitOk);
    const test::CliRun run = Cli({"book", Path("sample.vcj"), "--data", Path("data")});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");

    const LoadedJob booked = LoadJobFile(Path("sample.vcj"), MemorySettingsStore());
    ASSERT_TRUE(booked.doc);
    EXPECT_EQ(booked.doc->InventoryUpdated, 1);
    const BookingLists lists = FillLists(*booked.doc);
    ASSERT_FALSE(lists.UsedStock.empty());
    const CsStockDb after = Stock();
    for (const auto& used : lists.UsedStock) {
        SCOPED_TRACE(used.Id);
        std::size_t row = 0;
        while (row < db.Records.size() && db.Records[row].Id != used.Id)
            ++row;
        ASSERT_LT(row, db.Records.size());
        EXPECT_EQ(after.Records[row].Qty, db.Records[row].Qty - used.Qty);
    }
    EXPECT_EQ(after.LastId, 300 + static_cast<std::int32_t>(lists.Offcuts.size()));
    EXPECT_EQ(after.Records.size(), db.Records.size() + lists.Offcuts.size());

    const auto log = ParseStockUsed(test::ReadFile(dir_ / "data" / "stkused.db"));
    ASSERT_EQ(log.size(), lists.UsedStock.size());
    for (const auto& line : log)
        EXPECT_EQ(line.OrderNo, booked.doc->OrderNo);
}

#ifndef _WIN32
TEST_F(BookCommand, TheDefaultDataDirectoryIsBesideTheInstallation)
{
    const std::string savedConfig = std::getenv("XDG_CONFIG_DIRS") ? std::getenv("XDG_CONFIG_DIRS") : "";
    fs::create_directories(dir_ / "etc" / "Quintal");
    setenv("XDG_CONFIG_DIRS", Path("etc").c_str(), 1);
    EXPECT_EQ(cli::DefaultDataDir(Path("bin/vellicor-cli")), Path("bin/Data"));
    EXPECT_TRUE(fs::is_directory(dir_ / "bin" / "Data"));

    test::WriteFile(dir_ / "etc" / "Quintal" / "Vellicor.conf", "[General]\nInstallDir=" + Path("opt") + "\n");
    EXPECT_EQ(cli::DefaultDataDir(Path("bin/vellicor-cli")), Path("opt/Data"));
    setenv("XDG_CONFIG_DIRS", savedConfig.c_str(), 1);
}
#endif

} // namespace
} // namespace vellicor
