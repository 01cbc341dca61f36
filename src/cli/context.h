#pragma once

#include "cli/cli.h"
#include "cli/climessages.h"
#include "platform/inisettingsstore.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vellicor {
class CVellicorDoc;
}

namespace vellicor::cli {

// What every command gets: its own arguments, the settings store in force, the output streams and
// the message sink.
struct Context {
    std::vector<std::string> args;
    IniSettingsStore& store;
    CliMessages& messages;
    std::ostream& out;
    std::ostream& err;
    // How the program was started, to find the desktop installation beside it.
    std::string programPath;
    // The inventory store named before the command (--store URI).
    std::optional<std::string> storeUri;
};

// A command's usage error: the message, then a pointer to the command's --help.
int UsageError(Context& ctx, const std::string& command, const std::string& message);

// The report of a job with a result: PDF when the name ends in ".pdf", else RTF; on failure the
// message has been shown.
bool WriteJobReport(Context& ctx, const CVellicorDoc& doc, const std::string& path);

int RunOptimise(Context& ctx);
int RunReport(Context& ctx);
int RunKnives(Context& ctx);
int RunConvert(Context& ctx);
int RunShow(Context& ctx);
int RunUnits(Context& ctx);
int RunBook(Context& ctx);
int RunInventory(Context& ctx);

} // namespace vellicor::cli
