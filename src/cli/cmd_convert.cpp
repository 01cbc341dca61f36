#include "cli/context.h"
#include "cli/jobio.h"
#include "model/vellicordoc.h"

namespace vellicor::cli {

int RunConvert(Context& ctx)
{
    if (ctx.args.size() != 2)
        return UsageError(ctx, "convert", "convert needs IN and OUT");
    const std::string& in = ctx.args[0];
    const std::string& out = ctx.args[1];
    const auto inFormat = JobFormatOf(in);
    const auto outFormat = JobFormatOf(out);
    if (!inFormat || !outFormat)
        return UsageError(ctx, "convert", "'" + (inFormat ? out : in) + "' is neither a .vcj nor a .json job");
    const auto doc = ReadJob(ctx, in, *inFormat);
    if (!doc || !WriteJob(ctx, *doc, out, *outFormat))
        return kExitIo;
    return kExitOk;
}

} // namespace vellicor::cli
