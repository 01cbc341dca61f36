// vellicor-cli on a PostgreSQL store: init, book, list, export and import, and choosing the store.
#include "cli/cli.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "platform/memorysettingsstore.h"
#include "stores/storefixture.h"
#include "support/bookingjob.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class StoreCommands : public test::StoreFixture, public testing::Test {
protected:
    void SetUp() override
    {
        Prepare(test::StoreKind::Postgres);
        fs::create_directories(dir_ / "data");
        auto job = test::MakeBookingJob();
        ASSERT_EQ(SaveJobFile(*job, Path("job.vcj")), 0);
    }
    void TearDown() override { Finish(); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    CliRun Cli(std::vector<std::string> args, const std::string& profile = "none.ini") const
    {
        args.insert(args.begin(), {"--profile", Path(profile), "--unit", "mm"});
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunCli(args, out, err);
        return {status, out.str(), err.str()};
    }

    // Files as a planner's data directory holds them after some work.
    void WriteDataFiles(const fs::path& dir) const
    {
        CsStockDb stock = test::MakeBookingStock();
        stock.Records[0].Qty = 9;
        CsStockRec offcut = stock.Records[0];
        offcut.Id = 20;
        offcut.Type = CsStockRec::Offcut;
        offcut.Name = "Größe 1";
        offcut.Width = 333.25;
        offcut.Remarks = "left in bay 4";
        offcut.Date = OleDate{45000.123456789};
        stock.Records.push_back(offcut);
        test::WriteFile(dir / "stock.db", stock.Bytes());
        CsStockUsedRec line;
        line.Id = 17;
        line.OrderNo = "A7";
        line.Qty = 2;
        line.Material = "steel";
        line.Length = 10000;
        line.Width = 1000;
        line.Thickness = 1;
        test::WriteFile(dir / "stkused.db", StockUsedLine(line, ParseDayMonthYear("08/12/2026"))
                                                + StockUsedLine(line, ParseDayMonthYear("09/12/2026")));
        CsMateDb library;
        library.Records = StarterMaterials();
        test::WriteFile(dir / "slitmate.db", library.Bytes());
    }
};

TEST_F(StoreCommands, ExportAfterImportGivesTheSameFiles)
{
    WriteDataFiles(dir_ / "data");
    const CliRun init = Cli({"inventory", "init", "--store", uri_});
    ASSERT_EQ(init.status, cli::kExitOk) << init.err;
    EXPECT_NE(init.out.find(": schema 1\n"), std::string::npos) << init.out;
    EXPECT_EQ(init.out.find(test::PgTestCluster::Get().Password()), std::string::npos);
    EXPECT_EQ(Cli({"inventory", "init", "--store", uri_}).status, cli::kExitOk);

    const CliRun imported = Cli({"inventory", "import", "--store", uri_, "--data", Path("data")});
    ASSERT_EQ(imported.status, cli::kExitOk) << imported.err;
    EXPECT_NE(imported.out.find("2 stock records, 2 log lines, 9 materials"), std::string::npos) << imported.out;
    fs::create_directories(dir_ / "copy");
    const CliRun exported = Cli({"inventory", "export", "--store", uri_, "--data", Path("copy")});
    ASSERT_EQ(exported.status, cli::kExitOk) << exported.err;
    for (const char* file : {"stock.db", "stkused.db", "slitmate.db"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(test::ReadFile(dir_ / "copy" / file), test::ReadFile(dir_ / "data" / file));
    }
}

TEST_F(StoreCommands, BookingIntoTheDatabaseOnceAndListingIt)
{
    ASSERT_EQ(Cli({"inventory", "init", "--store", uri_}).status, cli::kExitOk);
    WriteDataFiles(dir_ / "data");
    ASSERT_EQ(Cli({"inventory", "import", "--store", uri_, "--data", Path("data")}).status, cli::kExitOk);
    fs::copy_file(Path("job.vcj"), Path("copy.vcj"));

    const CliRun booked = Cli({"book", Path("job.vcj"), "--store", uri_});
    ASSERT_EQ(booked.status, cli::kExitOk) << booked.err;
    EXPECT_NE(booked.out.find("Offcuts added ("), std::string::npos);
    EXPECT_NE(booked.out.find("\n  21  "), std::string::npos) << booked.out;
    EXPECT_EQ(LoadJobFile(Path("job.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 1);

    // The copy was never flagged; the database knows it is booked, and the copy gets its flag.
    const CliRun copy = Cli({"--store", uri_, "book", Path("copy.vcj")});
    EXPECT_EQ(copy.status, cli::kExitNoResult);
    EXPECT_EQ(copy.out, "");
    EXPECT_EQ(copy.err.rfind("The inventory has already been updated for this job.", 0), 0u) << copy.err;
    EXPECT_EQ(LoadJobFile(Path("copy.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 1);

    // The settings store chooses the database; --data still means the files.
    test::WriteFile(dir_ / "shared.ini", "[Inventory]\nStore=" + uri_ + "\n");
    const CliRun listed = Cli({"inventory", "list"}, "shared.ini");
    ASSERT_EQ(listed.status, cli::kExitOk) << listed.err;
    EXPECT_NE(listed.out.find("Stock inventory: postgresql://planner@/"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\n  17  Prime "), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\n  21  Offcut"), std::string::npos) << listed.out;
    const CliRun files = Cli({"inventory", "list", "--data", Path("data")}, "shared.ini");
    EXPECT_NE(files.out.find("Stock inventory: " + Path("data") + "/stock.db"), std::string::npos) << files.out;
    EXPECT_EQ(files.out.find("\n  21  "), std::string::npos) << files.out;
}

TEST_F(StoreCommands, RefusalsAndFailures)
{
    const std::string wrong = uri_.substr(0, uri_.find(':', 13) + 1) + "wrong" + uri_.substr(uri_.find('@'));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::string empty = test::PgTestCluster::Get().NewDatabase();
    const Case cases[] = {
        {{"inventory", "list", "--store", empty}, cli::kExitIo, "The inventory store postgresql://planner@/"},
        {{"book", Path("job.vcj"), "--store", wrong}, cli::kExitIo, "The inventory store postgresql://planner@/"},
        {{"inventory", "init", "--store", wrong}, cli::kExitIo, "The inventory store postgresql://planner@/"},
        {{"book", Path("job.vcj"), "--store", uri_, "--data", Path("data")}, cli::kExitUsage,
         "vellicor-cli: give either --data or --store"},
        {{"inventory", "list", "--store", "mysql://x"}, cli::kExitUsage, "vellicor-cli: --store takes a postgresql://"},
        {{"inventory", "init"}, cli::kExitUsage, "vellicor-cli: inventory init needs --store"},
        {{"inventory", "export", "--store", uri_}, cli::kExitUsage, "vellicor-cli: inventory export needs --data DIR"},
        {{"inventory", "import", "--store", uri_, "--data", Path("nodir")}, cli::kExitIo, Path("nodir")},
        {{"book", Path("job.vcj"), "--store"}, cli::kExitUsage, "vellicor-cli: --store needs a URI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args.back());
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_EQ(run.err.find("wrong"), std::string::npos) << run.err;
    }
    EXPECT_EQ(LoadJobFile(Path("job.vcj"), MemorySettingsStore()).doc->InventoryUpdated, 0);
}

} // namespace
} // namespace vellicor
