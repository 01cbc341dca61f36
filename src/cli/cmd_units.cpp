#include "cli/context.h"

#include "units/numtext.h"
#include "units/units.h"

#include <ostream>
#include <vector>

namespace vellicor::cli {
namespace {

// Six decimals, then trailing zeros and a trailing decimal point dropped.
std::string PlainNumber(double value)
{
    std::string text = FormatFixed(value, 6);
    const char point = DecimalPointChar();
    if (text.find(point) != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == point)
            text.pop_back();
    }
    return text;
}

} // namespace

int RunUnits(Context& ctx)
{
    if (ctx.args.size() < 2)
        return UsageError(ctx, "units", "units needs 'format VALUE_MM...' or 'parse TEXT...'");
    const std::string& verb = ctx.args[0];
    if (verb == "format") {
        std::vector<double> values;
        for (std::size_t i = 1; i < ctx.args.size(); ++i) {
            std::size_t used = 0;
            values.push_back(ParseDouble(ctx.args[i], &used));
            if (used == 0 || used != ctx.args[i].size())
                return UsageError(ctx, "units", "'" + ctx.args[i] + "' is not a number of millimetres");
        }
        for (double mm : values)
            ctx.out << FormatLength(mm) << '\n';
        return kExitOk;
    }
    if (verb == "parse") {
        for (std::size_t i = 1; i < ctx.args.size(); ++i)
            ctx.out << PlainNumber(ParseLength(ctx.args[i])) << '\n';
        return kExitOk;
    }
    return UsageError(ctx, "units", "unknown units verb '" + verb + "'");
}

} // namespace vellicor::cli
