#include "cli/cli.h"
#include "model/jobfile.h"
#include "platform/safefile.h"
#include "support/samplejob.h"
#include "units/units.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace vellicor {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class ReportCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("vellicor-reportcmd-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string SaveSample(const std::string& name, bool withResult = true) const
    {
        auto doc = test::MakeSampleJob();
        if (!withResult)
            doc->ClearResults();
        const std::string path = PathOf(name);
        EXPECT_EQ(SaveJobFile(*doc, path), 0);
        return path;
    }

    static CliRun Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--profile", "/nonexistent/vellicor-test.ini"});
        std::ostringstream out, err;
        const int status = cli::RunCli(args, out, err);
        SetUnitSettings(UnitSettings{});
        return {status, out.str(), err.str()};
    }

    std::filesystem::path dir_;
};

TEST_F(ReportCommandTest, WritesTheReportOfAJob)
{
    const std::string job = SaveSample("order 17.vcj");
    const std::string rtf = PathOf("order 17.rtf");
    const CliRun r = Cli({"report", job, "-o", rtf});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    std::string content;
    ASSERT_EQ(ReadWholeFile(rtf, content), FileError::None);
    EXPECT_EQ(content.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(content.find("Layout 2 of 2"), std::string::npos);
    EXPECT_EQ(content.back(), '}');

    // The same job as a JSON job gives the same report.
    const std::string json = PathOf("order 17.json");
    ASSERT_EQ(Cli({"convert", job, json}).status, 0);
    const std::string fromJson = PathOf("from json.rtf");
    ASSERT_EQ(Cli({"report", json, "-o", fromJson}).status, 0);
    std::string again;
    ASSERT_EQ(ReadWholeFile(fromJson, again), FileError::None);
    EXPECT_EQ(again, content);
}

TEST_F(ReportCommandTest, FailuresExitWithTheirStatus)
{
    const std::string noResult = SaveSample("empty.vcj", false);
    const std::string sample = SaveSample("sample.vcj");
    std::ofstream(PathOf("damaged.vcj"), std::ios::binary) << "not a job";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"no result", {"report", noResult, "-o", PathOf("a.rtf")}, cli::kExitNoResult, "Result does not exist."},
        {"missing job", {"report", PathOf("gone.vcj"), "-o", PathOf("a.rtf")}, cli::kExitIo, "Cannot find this file."},
        {"damaged job", {"report", PathOf("damaged.vcj"), "-o", PathOf("a.rtf")}, cli::kExitIo,
         "Unexpected file format."},
        {"unwritable report", {"report", sample, "-o", PathOf("gone/a.rtf")}, cli::kExitIo,
         "Output File Is Open, and cannot be overwritten"},
        {"no arguments", {"report"}, cli::kExitUsage, "report needs"},
        {"no output", {"report", sample}, cli::kExitUsage, "report needs"},
        {"-o without file", {"report", sample, "-o"}, cli::kExitUsage, "-o needs a file"},
        {"two inputs", {"report", sample, sample, "-o", PathOf("a.rtf")}, cli::kExitUsage, "unexpected argument"},
        {"not a job file", {"report", PathOf("job.txt"), "-o", PathOf("a.rtf")}, cli::kExitUsage, "neither a .vcj nor a .json"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(PathOf("a.rtf")));
    }
}

TEST_F(ReportCommandTest, HelpNamesTheCommand)
{
    EXPECT_NE(Cli({"--help"}).out.find("report IN -o FILE.rtf"), std::string::npos);
}

} // namespace
} // namespace vellicor
