// The stocks-used log reader on arbitrary bytes. Writing what was read and reading it again must
// settle: the second rewrite gives the first one's text, line for line.
#include "inventory/stockusedlog.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace vellicor;

// Each record written with its own day, as the log keeps it.
std::string Rewrite(std::string_view text, std::size_t& count)
{
    const auto records = ParseStockUsed(text);
    count = records.size();
    std::string out;
    for (const auto& rec : records)
        out += StockUsedLine(rec, rec.Date);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::size_t first = 0;
    std::size_t second = 0;
    std::size_t third = 0;
    // A "|" or line break inside a text becomes a blank, and a line of code page 1252 bytes that
    // also reads as UTF-8 is taken as UTF-8: one rewrite settles both.
    const std::string once = Rewrite(std::string_view(reinterpret_cast<const char*>(data), size), first);
    const std::string twice = Rewrite(once, second);
    const std::string thrice = Rewrite(twice, third);
    if (second != first || third != first || thrice != twice)
        std::abort();
    return 0;
}
