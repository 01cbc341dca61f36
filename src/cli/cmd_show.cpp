#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/jobtext.h"
#include "cli/terminaltext.h"
#include "model/jobjson.h"
#include "model/vellicordoc.h"

#include <ostream>

namespace vellicor::cli {

int RunShow(Context& ctx)
{
    bool json = false;
    std::string in;
    for (const auto& arg : ctx.args) {
        if (arg == "--json")
            json = true;
        else if (!arg.empty() && arg[0] == '-')
            return UsageError(ctx, "show", "unknown option '" + arg + "'");
        else if (in.empty())
            in = arg;
        else
            return UsageError(ctx, "show", "show takes one job");
    }
    if (in.empty())
        return UsageError(ctx, "show", "show needs IN");
    const auto format = JobFormatOf(in);
    if (!format)
        return UsageError(ctx, "show", "'" + in + "' is neither a .vcj nor a .json job");
    const auto doc = ReadJob(ctx, in, *format);
    if (!doc)
        return kExitIo;
    if (json) {
        ctx.out << JobToJson(*doc);
    } else {
        ctx.out << "Job: " << TerminalText(in) << '\n';
        PrintJobInputs(ctx.out, *doc);
        PrintJobResult(ctx.out, *doc);
    }
    return kExitOk;
}

} // namespace vellicor::cli
