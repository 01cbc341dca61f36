#include "cli/cli.h"
#include "units/units.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace vellicor {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args)
{
    // Never the user's own settings: a profile that does not exist means built-in defaults.
    args.insert(args.begin(), {"--profile", "/nonexistent/vellicor-test.ini"});
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    SetUnitSettings(UnitSettings{});
    return {status, out.str(), err.str()};
}

TEST(UnitsCommand, FormatsAndParsesInTheChosenUnit)
{
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"--unit", "in-frac", "--denominator", "32", "units", "format", "158.75", "152.39"}, "6 8/32\"\n6\"\n"},
        {{"--unit", "in-frac", "--denominator", "16", "units", "parse", "6 8", "3/0"}, "165.1\n4.7625\n"},
        {{"--unit", "in-frac", "units", "parse", "6 8"}, "158.75\n"},  // the README's example: denominator 32
        {{"units", "format", "12.3456", "1250"}, "12.346\n1250\n"},
        {{"units", "parse", "abc", "12.5"}, "0\n12.5\n"},
        {{"units", "--unit", "m", "--decimals", "1", "format", "1250"}, "1.3\n"},  // options after the command
        {{"--unit", "ft", "units", "parse", "2"}, "609.6\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST(UnitsCommand, UsageErrorsExitWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"units"},
        {"units", "format"},
        {"units", "convert", "1"},
        {"units", "format", "12mm"},
        {"--unit", "yards", "units", "format", "1"},
        {"--decimals", "4", "units", "format", "1"},
        {"--denominator", "10", "units", "format", "1"},
        {"units", "format", "1", "--profile"},
    };
    for (const auto& args : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("vellicor-cli"), std::string::npos);
    }
}

TEST(UnitsCommand, VersionAndHelp)
{
    EXPECT_EQ(Cli({"--version"}).out, "vellicor-cli 2.18\n");
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("units format VALUE_MM"), std::string::npos);
    const CliRun commandHelp = Cli({"units", "--help"});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_NE(commandHelp.out.find("Usage: vellicor-cli [options] units"), std::string::npos);
}

TEST(UnitsCommand, ProfileSuppliesTheUnit)
{
    const std::string path = ::testing::TempDir() + "vellicor-units-profile.ini";
    {
        std::ofstream f(path);
        f << "[Settings]\nUnitLen=cm\nUnitNoOfDecimals=1\n";
    }
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"--profile", path, "units", "format", "12.34"}, out, err), 0);
    EXPECT_EQ(out.str(), "1.2\n");
    SetUnitSettings(UnitSettings{});
    std::remove(path.c_str());
}

} // namespace
} // namespace vellicor
