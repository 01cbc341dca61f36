#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vellicor::cli {

// Exit statuses of vellicor-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIo = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoResult = 3;

// Runs one vellicor-cli invocation; `args` excludes the program name, which `programPath` gives
// (argv[0]) for the commands that look for the desktop installation's data directory.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programPath = {});

} // namespace vellicor::cli
