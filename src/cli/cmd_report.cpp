#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/pdfoutput.h"

#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/printer.h"
#include "platform/safefile.h"
#include "report/jobreport.h"
#include "report/reportcontent.h"
#include "units/textutil.h"

namespace vellicor::cli {
namespace {

constexpr int kMsgNoResult = 176;

// A command line knows no printer: the report takes the default page width.
struct NoPrinter : IPrinterMetrics {
    int PageWidthTwips() const override { return 0; }
};

} // namespace

int RunReport(Context& ctx)
{
    std::string in;
    std::string out;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "-o") {
            if (i + 1 >= ctx.args.size())
                return UsageError(ctx, "report", "-o needs a file");
            out = ctx.args[++i];
        } else if (in.empty()) {
            in = a;
        } else {
            return UsageError(ctx, "report", "unexpected argument '" + a + "'");
        }
    }
    if (in.empty() || out.empty())
        return UsageError(ctx, "report", "report needs 'IN -o FILE.rtf|FILE.pdf'");
    const auto format = JobFormatOf(in);
    if (!format)
        return UsageError(ctx, "report", "'" + in + "' is neither a .vcj nor a .json job");
    if (IsSameFile(in, out))
        return UsageError(ctx, "report", "the report '" + out + "' would replace its job");

    const auto doc = ReadJob(ctx, in, *format);
    if (!doc)
        return kExitIo;
    if (!doc->HasResults()) {
        ctx.messages.Tell(kMsgNoResult);
        return kExitNoResult;
    }
    return WriteJobReport(ctx, *doc, out) ? kExitOk : kExitIo;
}

bool WriteJobReport(Context& ctx, const CVellicorDoc& doc, const std::string& path)
{
    if (IsPdfPath(path))
        return WritePdf(ctx, DescribeReport(doc), path);
    // The default prolog: the data directory's header belongs to the desktop installation.
    const NoPrinter printer;
    return WriteReport(doc, path, "", printer, ctx.messages);
}

} // namespace vellicor::cli
