#pragma once

#include "cli/cli.h"
#include "support/tempdir.h"

#include <sstream>
#include <string>
#include <vector>

namespace vellicor::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// vellicor-cli runs in a directory of the test's own.
class CliTest : public TempDirTest {
protected:
    // Without stored settings and in millimetres, whatever ran before.
    CliRun Cli(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"--profile", Path("none.ini"), "--unit", "mm", "--decimals", "3"});
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunCli(args, out, err);
        return {status, out.str(), err.str()};
    }
};

} // namespace vellicor::test
