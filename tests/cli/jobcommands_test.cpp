#include "model/jobfile.h"
#include "model/jobjson.h"
#include "model/vellicordoc.h"
#include "platform/memorysettingsstore.h"
#include "support/clitest.h"
#include "support/samplejob.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <nlohmann/json.hpp>

namespace vellicor {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;
using test::WriteFile;

class JobCommands : public test::CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        auto doc = test::MakeSampleJob();
        ASSERT_EQ(SaveJobFile(*doc, Path("job.vcj")), 0);
    }
};

TEST_F(JobCommands, ConvertGoesEveryWayAndBackToTheSameBytes)
{
    const std::string original = ReadFile(Path("job.vcj"));
    const std::pair<const char*, const char*> steps[] = {
        {"job.vcj", "a.json"}, {"a.json", "b.json"}, {"b.json", "c.vcj"}, {"c.vcj", "d.vcj"}};
    for (const auto& [in, out] : steps) {
        SCOPED_TRACE(in);
        const test::CliRun run = Cli({"convert", Path(in), Path(out)});
        EXPECT_EQ(run.status, cli::kExitOk);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(ReadFile(Path("b.json")), ReadFile(Path("a.json")));
    EXPECT_EQ(ReadFile(Path("c.vcj")), original);
    EXPECT_EQ(ReadFile(Path("d.vcj")), original);
}

TEST_F(JobCommands, TheCheckedInSampleIsTheSampleJson)
{
    const fs::path examples = fs::path(VELLICOR_SOURCE_DIR) / "examples";
    const std::string sample = ReadFile(examples / "sample.vcj");
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(Cli({"convert", (examples / "sample.json").string(), Path("made.vcj")}).status, cli::kExitOk);
    EXPECT_EQ(ReadFile(Path("made.vcj")), sample);
    EXPECT_EQ(Cli({"convert", (examples / "sample.vcj").string(), Path("back.json")}).status, cli::kExitOk);
    EXPECT_EQ(Cli({"convert", Path("back.json"), Path("again.vcj")}).status, cli::kExitOk);
    EXPECT_EQ(ReadFile(Path("again.vcj")), sample);

    // One material in two thicknesses, three stock rows, four slits and two parts.
    const LoadedJob job = LoadJobFile((examples / "sample.vcj").string(), MemorySettingsStore());
    ASSERT_TRUE(job.doc);
    EXPECT_EQ(job.doc->GetCoilCount(), 3);
    EXPECT_EQ(job.doc->GetSlitCount(), 4);
    EXPECT_EQ(job.doc->GetPartCount(), 2);
    for (const auto& c : job.doc->Coils) {
        EXPECT_EQ(c->Material, "crca");
        EXPECT_TRUE(c->Thickness == 1.5 || c->Thickness == 2.0);
    }
}

TEST_F(JobCommands, UsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"convert"},
        {"convert", Path("job.vcj")},
        {"convert", Path("job.vcj"), Path("a.json"), Path("b.json")},
        {"convert", Path("job.txt"), Path("a.json")},
        {"convert", Path("job.vcj"), Path("a")},
        {"show"},
        {"show", Path("job.vcj"), Path("job.vcj")},
        {"show", Path("job.vcj"), "--xml"},
        {"show", Path("job.csv")},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] : args[0]);
        const test::CliRun run = Cli(args);
        EXPECT_EQ(run.status, cli::kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(Path("a.json")));
}

TEST_F(JobCommands, UnreadableInputAndUnwritableOutput)
{
    WriteFile(Path("damaged.vcj"), ReadFile(Path("job.vcj")).substr(0, 40));
    WriteFile(Path("wrong.json"), R"({"coils": {"name": "C1"}})");
    WriteFile(Path("broken.json"), R"({"coils": [)");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"convert", Path("missing.vcj"), Path("out.json")}, Path("missing.vcj") + "\nCannot find this file."},
        {{"convert", Path("damaged.vcj"), Path("out.json")}, Path("damaged.vcj") + "\nUnexpected file format."},
        {{"convert", Path("wrong.json"), Path("out.vcj")}, "The JSON job's coils must be an array."},
        {{"convert", Path("broken.json"), Path("out.vcj")}, "The JSON job cannot be read: parse error"},
        {{"convert", Path("job.vcj"), Path("nodir/out.json")}, Path("nodir/out.json") + "\nCannot find this file."},
        {{"show", Path("damaged.vcj")}, Path("damaged.vcj") + "\nUnexpected file format."},
        {{"show", Path("missing.json"), "--json"}, Path("missing.json") + "\nCannot find this file."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const test::CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, cli::kExitIo);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    }
    EXPECT_FALSE(fs::exists(Path("out.json")));
    EXPECT_FALSE(fs::exists(Path("out.vcj")));
}

TEST_F(JobCommands, ShowPrintsTheJobOrItsJson)
{
    const test::CliRun json = Cli({"show", Path("job.vcj"), "--json"});
    EXPECT_EQ(json.status, cli::kExitOk);
    EXPECT_EQ(json.err, "");
    EXPECT_EQ(json.out, JobToJson(*LoadJobFile(Path("job.vcj"), MemorySettingsStore()).doc));

    const test::CliRun text = Cli({"show", Path("job.vcj")});
    EXPECT_EQ(text.status, cli::kExitOk);
    for (const char* line : {"Order no: A12\n", "\nStock coils (2)\n", "  C1    crca      1.500      1250   10000 kg",
                             "\nFillers (1)\n", "  Kerf                 0.500\n", "\nLayouts (2)\n",
                             "  1  C1    937.500 kg", "  Total weight         1337.500 kg\n", "\nProduction\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\nin\n" << text.out;

    WriteFile(Path("empty.json"), "{}");
    const test::CliRun empty = Cli({"show", Path("empty.json")});
    EXPECT_EQ(empty.status, cli::kExitOk);
    EXPECT_NE(empty.out.find("\nStock coils (0)\n"), std::string::npos);
    EXPECT_NE(empty.out.find("\nNo result.\n"), std::string::npos);
}

// A name cannot move the cursor or clear the screen of whoever reads the job.
TEST_F(JobCommands, ControlCharactersInTheJobArePrintedEscaped)
{
    auto doc = test::MakeSampleJob();
    doc->GetCoil(1)->Name = "C2\x1b[2J";
    doc->GetCoil(0)->Remarks = "line\nbreak\ttab";
    doc->OrderNo = "A\r12\xC2\x9B";
    ASSERT_EQ(SaveJobFile(*doc, Path("odd.vcj")), 0);
    for (const char* command : {"show", "optimise"}) {
        SCOPED_TRACE(command);
        const test::CliRun run = Cli({command, Path("odd.vcj")});
        EXPECT_EQ(run.status, cli::kExitOk) << run.err;
        EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
        EXPECT_EQ(run.out.find('\r'), std::string::npos);
        EXPECT_NE(run.out.find("C2\\x1b[2J"), std::string::npos) << run.out;
    }
    const std::string shown = Cli({"show", Path("odd.vcj")}).out;
    EXPECT_NE(shown.find("Order no: A\\r12\\u009b\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("line\\nbreak\\ttab"), std::string::npos) << shown;
}

// A report named like its job would destroy the job.
TEST_F(JobCommands, AReportOverItsJobIsRefused)
{
    fs::create_symlink(Path("job.vcj"), Path("link.vcj"));
    const std::string job = ReadFile(Path("job.vcj"));
    const std::vector<std::string> cases[] = {
        {"report", Path("job.vcj"), "-o", Path("job.vcj")},
        {"report", Path("job.vcj"), "-o", Path("link.vcj")},
        {"report", Path("job.vcj"), "-o", dir_.string() + "/./job.vcj"},
        {"optimise", Path("job.vcj"), "--report", Path("job.vcj")},
        {"optimise", Path("job.vcj"), "-o", Path("new.vcj"), "--report", Path("new.vcj")},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const test::CliRun run = Cli(args);
        EXPECT_EQ(run.status, cli::kExitUsage);
        EXPECT_NE(run.err.find("would replace"), std::string::npos) << run.err;
        EXPECT_EQ(ReadFile(Path("job.vcj")), job);
    }
    EXPECT_FALSE(fs::exists(Path("new.vcj")));
}

TEST_F(JobCommands, OptimiseWritesTheResultWhereverAsked)
{
    const test::CliRun run = Cli({"optimise", Path("job.vcj"), "-o", Path("out.json"), "--report", Path("out.rtf"), "--stats"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_NE(run.out.find("\nLayouts ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nFigures\n"), std::string::npos);
    EXPECT_EQ(run.err.rfind("group crca-1.500: working coils 2, requirements 2, widths ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(", lp optimal, layouts "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(", engine yield, least coil weight "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" kg, columns generated "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(", mip gap "), std::string::npos) << run.err;

    JsonJobError error;
    const auto saved = JobFromJson(ReadFile(Path("out.json")), MemorySettingsStore(), error);
    ASSERT_TRUE(saved) << error.id;
    EXPECT_TRUE(saved->HasResults());
    EXPECT_EQ(ReadFile(Path("out.rtf")).rfind("{\\rtf1", 0), 0u);

    // The least possible weight is figured by the run; a job read back does not know it.
    const test::CliRun json = Cli({"optimise", Path("job.vcj"), "--json"});
    ASSERT_EQ(json.status, cli::kExitOk);
    auto printed = nlohmann::json::parse(json.out);
    auto& figures = printed.at("figures");
    EXPECT_GT(figures.at("leastCoilWeight").get<double>(), 0.0);
    EXPECT_NEAR(figures.at("aboveLeastPossible").get<double>(),
                figures.at("totalWeight").get<double>() / figures.at("leastCoilWeight").get<double>() - 1.0, 1e-12);
    figures.erase("leastCoilWeight");
    figures.erase("aboveLeastPossible");
    EXPECT_EQ(printed, nlohmann::json::parse(JobToJson(*saved)));
    EXPECT_EQ(json.err, "");
}

TEST_F(JobCommands, OptimiseTakesTheEngineFromTheCommandLineOverTheStore)
{
    WriteFile(Path("compatible.ini"), "[Optimiser]\nEngine=compatible\n");
    const struct {
        std::vector<std::string> args;
        const char* engine;
    } cases[] = {
        {{"optimise", Path("job.vcj"), "--stats"}, "yield"},
        {{"--profile", Path("compatible.ini"), "optimise", Path("job.vcj"), "--stats"}, "compatible"},
        {{"--profile", Path("compatible.ini"), "optimise", Path("job.vcj"), "--stats", "--engine", "yield"}, "yield"},
        {{"optimise", Path("job.vcj"), "--stats", "--engine", "compatible"}, "compatible"},
    };
    for (const auto& c : cases) {
        const test::CliRun run = Cli(c.args);
        ASSERT_EQ(run.status, cli::kExitOk) << run.err;
        EXPECT_NE(run.err.find(std::string(", engine ") + c.engine + ","), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("Least possible coil weight"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Above least possible"), std::string::npos) << run.out;
    }
    for (const char* bad : {"fast", ""}) {
        const test::CliRun run = Cli({"optimise", Path("job.vcj"), "--engine", bad});
        EXPECT_EQ(run.status, cli::kExitUsage) << bad;
        EXPECT_NE(run.err.find("--engine takes yield or compatible"), std::string::npos) << run.err;
    }
}

TEST_F(JobCommands, OptimiseWithoutAResultExitsWithThree)
{
    auto doc = test::MakeSampleJob();
    for (const auto& coil : doc->Coils)
        coil->Qty = 0;
    ASSERT_EQ(SaveJobFile(*doc, Path("empty.vcj")), 0);

    const test::CliRun run = Cli({"optimise", Path("empty.vcj"), "-o", Path("out.vcj"), "--report", Path("out.rtf")});
    EXPECT_EQ(run.status, cli::kExitNoResult);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Could not optimize. Check if coils are sufficient, and each part can fit in some coil.\n");
    EXPECT_FALSE(fs::exists(Path("out.vcj")));
    EXPECT_FALSE(fs::exists(Path("out.rtf")));
}

// Whichever way a job comes in, a field that the optimiser or the job file cannot take is refused
// with its record and field named, and nothing is written.
TEST_F(JobCommands, AJobWithABadFieldIsRefusedAndNothingWritten)
{
    struct Case {
        const char* what;
        std::function<void(CVellicorDoc&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"coil width 1e308", [](CVellicorDoc& d) { d.GetCoil(0)->Width = 1e308; },
         "Coil \"C1\": width must be a number from 0.010 to 1000000.\n"},
        {"slit of 0.0001 mm", [](CVellicorDoc& d) { d.GetSlit(0)->Width = d.GetSlit(0)->Length = 0.0001; },
         "Slit \"S1\": width must be a number from 0.010 to 1000000.\n"},
        {"thickness 0", [](CVellicorDoc& d) { d.GetPart(0)->Thickness = 0; },
         "Part \"P1\": thickness must be a number from 0.001 to 1000.\n"},
        {"negative kerf", [](CVellicorDoc& d) { d.Settings.Kerf = -0.2; },
         "The cut settings: kerf must be a number from 0 to 1000000.\n"},
        {"inventoryUpdated 65536", [](CVellicorDoc& d) { d.InventoryUpdated = 65536; },
         "The job: inventoryUpdated must be a whole number from 0 to 65535.\n"},
        {"duplicate coil names", [](CVellicorDoc& d) { d.GetCoil(1)->Name = "C1"; },
         "Two coils are named \"C1\"; each coil needs a name of its own.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = test::MakeSampleJob();
        c.spoil(*doc);
        WriteFile(Path("bad.json"), JobToJson(*doc));
        const std::vector<std::string> commands[] = {
            {"optimise", Path("bad.json"), "-o", Path("out.vcj"), "--report", Path("out.rtf")},
            {"convert", Path("bad.json"), Path("out.json")},
        };
        for (const auto& args : commands) {
            const test::CliRun run = Cli(args);
            EXPECT_EQ(run.status, cli::kExitIo) << args[0];
            EXPECT_EQ(run.out, "") << args[0];
            EXPECT_EQ(run.err, c.message) << args[0];
        }
        EXPECT_FALSE(fs::exists(Path("out.vcj")));
        EXPECT_FALSE(fs::exists(Path("out.json")));
        EXPECT_FALSE(fs::exists(Path("out.rtf")));
    }
}

TEST_F(JobCommands, OptimiseUsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"optimise"},
        {"optimise", Path("job.txt")},
        {"optimise", Path("job.vcj"), Path("job.vcj")},
        {"optimise", Path("job.vcj"), "--xml"},
        {"optimise", Path("job.vcj"), "-o"},
        {"optimise", Path("job.vcj"), "-o", Path("out.txt")},
        {"optimise", Path("job.vcj"), "--report"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const test::CliRun run = Cli(args);
        EXPECT_EQ(run.status, cli::kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("optimise --help"), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace vellicor
