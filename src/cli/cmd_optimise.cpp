#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/jobtext.h"
#include "cli/terminaltext.h"

#include "model/jobjson.h"
#include "model/vellicordoc.h"
#include "optimiser/engine.h"
#include "optimiser/optimise.h"
#include "platform/safefile.h"
#include "units/numtext.h"

#include <ostream>

namespace vellicor::cli {
namespace {

constexpr int kMsgCouldNotOptimise = 198;

// Writes one line per group on standard error as the run goes.
class StatsPrinter : public IOptimiseProgress {
public:
    explicit StatsPrinter(std::ostream& err) : err_(err) {}

    bool BeforeGroup(int, int, const std::string&) override { return true; }

    void AfterGroup(const CGroupStats& s) override
    {
        err_ << "group " << TerminalText(s.Key) << ": working coils " << s.WorkingCoils << ", requirements "
             << s.Requirements << ", widths " << s.Widths << ", passes " << s.Run.Passes << ", pool " << s.Run.PoolSize
             << ", columns " << s.Run.Columns << ", lp " << OutcomeName(s.Run.Lp) << ", layouts " << s.Run.Layouts
             << ", short " << FormatNumber(s.Run.Shortfall, 1) << " kg, engine " << EngineName(s.Engine) << ", least coil weight " << FormatNumber(s.Yield.LeastCoilWeight, 1)
             << " kg, columns generated " << s.Yield.ColumnsGenerated;
        if (s.Engine == EOptimiserEngine::Yield)
            err_ << ", mip gap " << FormatNumber(s.Yield.MipGap * 100.0, 3) << "%, mip time "
                 << FormatNumber(s.Yield.MipSeconds, 3) << " s";
        err_ << '\n';
    }

private:
    std::ostream& err_;
};

} // namespace

int RunOptimise(Context& ctx)
{
    std::string in;
    std::string out;
    std::string report;
    bool json = false;
    bool stats = false;
    EOptimiserEngine engine = LoadEngine(ctx.store);
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        auto value = [&](std::string& to) {
            if (i + 1 >= ctx.args.size())
                return false;
            to = ctx.args[++i];
            return !to.empty();
        };
        if (a == "-o") {
            if (!value(out))
                return UsageError(ctx, "optimise", "-o needs a file");
        } else if (a == "--report") {
            if (!value(report))
                return UsageError(ctx, "optimise", "--report needs a file");
        } else if (a == "--json") {
            json = true;
        } else if (a == "--stats") {
            stats = true;
        } else if (a == "--engine") {
            std::string name;
            const auto chosen = value(name) ? ParseEngineName(name) : std::nullopt;
            if (!chosen)
                return UsageError(ctx, "optimise", "--engine takes yield or compatible");
            engine = *chosen;
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(ctx, "optimise", "unknown option '" + a + "'");
        } else if (in.empty()) {
            in = a;
        } else {
            return UsageError(ctx, "optimise", "optimise takes one job");
        }
    }
    if (in.empty())
        return UsageError(ctx, "optimise", "optimise needs IN");
    const auto inFormat = JobFormatOf(in);
    if (!inFormat)
        return UsageError(ctx, "optimise", "'" + in + "' is neither a .vcj nor a .json job");
    const auto outFormat = out.empty() ? inFormat : JobFormatOf(out);
    if (!outFormat)
        return UsageError(ctx, "optimise", "'" + out + "' is neither a .vcj nor a .json job");
    if (!report.empty() && (IsSameFile(report, in) || (!out.empty() && IsSameFile(report, out))))
        return UsageError(ctx, "optimise", "the report '" + report + "' would replace a job");

    const auto doc = ReadJob(ctx, in, *inFormat);
    if (!doc)
        return kExitIo;
    StatsPrinter printer(ctx.err);
    Optimise(*doc, ctx.messages, stats ? &printer : nullptr, {engine, nullptr});
    if (!doc->HasResults()) {
        ctx.messages.Tell(kMsgCouldNotOptimise);
        return kExitNoResult;
    }

    if (json) {
        ctx.out << JobToJson(*doc);
    } else {
        ctx.out << "Job: " << TerminalText(in) << '\n';
        PrintJobResult(ctx.out, *doc);
    }
    if (!out.empty() && !WriteJob(ctx, *doc, out, *outFormat))
        return kExitIo;
    if (!report.empty() && !WriteJobReport(ctx, *doc, report))
        return kExitIo;
    return kExitOk;
}

} // namespace vellicor::cli
