#pragma once

#include <optional>
#include <string>

namespace vellicor::cli {

struct Context;

// The data directory of the desktop application installed beside this program, by the desktop's
// rule: the "Data" folder of the installation directory (the machine-wide "InstallDir" setting,
// else this program's directory) when a file can be created there, else the user's application
// data folder, which is created when missing. `programPath` is how the program was started.
// Forward slashes, no trailing slash.
std::string DefaultDataDir(const std::string& programPath);

// The data directory a command works in: `given`, else the default. Empty, after the message, when
// it is not a directory.
std::string CommandDataDir(Context& ctx, const std::optional<std::string>& given);

} // namespace vellicor::cli
