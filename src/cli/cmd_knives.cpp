#include "cli/contenttext.h"
#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/pdfoutput.h"

#include "model/coil.h"
#include "model/knifepositions.h"
#include "model/vellicordoc.h"
#include "report/knifesheet.h"
#include "report/reportcontent.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace vellicor::cli {
namespace {

constexpr int kMsgNoResult = 176;

// Millimetres from the coil's left edge, as a machine control takes them.
nlohmann::ordered_json KnivesJson(const CVellicorDoc& doc)
{
    nlohmann::ordered_json layouts = nlohmann::ordered_json::array();
    int number = 0;
    for (const auto& layout : doc.GetLayouts()) {
        const KnifeSetting knives = KnifePositions(*layout, *layout->Coil);
        layouts.push_back({{"number", ++number},
                           {"coil", layout->Coil->Name},
                           {"coilWidth", layout->Coil->Width},
                           {"leftTrim", layout->Coil->LeftTrim},
                           {"rightTrim", layout->Coil->RightTrim},
                           {"kerf", layout->Kerf},
                           {"positions", knives.Positions},
                           {"strips", knives.Strips},
                           {"rest", knives.Rest},
                           {"weight", layout->Weight},
                           {"usedLength", layout->UsedLength()}});
    }
    return {{"layouts", layouts}};
}

} // namespace

int RunKnives(Context& ctx)
{
    std::string in;
    std::string out;
    bool json = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "-o") {
            if (i + 1 >= ctx.args.size())
                return UsageError(ctx, "knives", "-o needs a file");
            out = ctx.args[++i];
        } else if (a == "--json") {
            json = true;
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(ctx, "knives", "unknown option '" + a + "'");
        } else if (in.empty()) {
            in = a;
        } else {
            return UsageError(ctx, "knives", "unexpected argument '" + a + "'");
        }
    }
    if (in.empty())
        return UsageError(ctx, "knives", "knives needs IN");
    if (!out.empty() && !IsPdfPath(out))
        return UsageError(ctx, "knives", "the knife sheet is written as FILE.pdf");
    const auto format = JobFormatOf(in);
    if (!format)
        return UsageError(ctx, "knives", "'" + in + "' is neither a .vcj nor a .json job");

    const auto doc = ReadJob(ctx, in, *format);
    if (!doc)
        return kExitIo;
    if (!doc->HasResults()) {
        ctx.messages.Tell(kMsgNoResult);
        return kExitNoResult;
    }
    if (!out.empty())
        return WritePdf(ctx, DescribeKnifeSheet(*doc), out) ? kExitOk : kExitIo;
    if (json)
        ctx.out << KnivesJson(*doc).dump(2) << '\n';
    else
        PrintReportContent(ctx.out, DescribeKnifeSheet(*doc));
    return kExitOk;
}

} // namespace vellicor::cli
