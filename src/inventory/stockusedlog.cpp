#include "inventory/stockusedlog.h"

#include "units/codepage.h"
#include "units/numtext.h"
#include "units/textutil.h"

namespace vellicor {
namespace {

constexpr int kFieldCount = 9;

std::string Field(std::string text)
{
    for (char& c : text)
        if (c == '|' || c == '\r' || c == '\n')
            c = ' ';
    return text + '|';
}

} // namespace

std::string StockUsedLine(const CsStockUsedRec& rec, const OleDate& day)
{
    const std::string line = Field(std::to_string(rec.Id)) + Field(rec.OrderNo) + Field(std::to_string(rec.Qty))
        + Field(FormatDayMonthYear(day)) + Field(rec.Spare) + Field(rec.Material) + Field(FormatFixed(rec.Length, 2))
        + Field(FormatFixed(rec.Width, 2)) + Field(FormatFixed(rec.Thickness, 2)) + '\n';
    return Utf8ToCp1252(line).value_or(line);
}

std::vector<CsStockUsedRec> ParseStockUsed(std::string_view bytes)
{
    std::vector<CsStockUsedRec> records;
    std::vector<std::string> fields;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string line = Trim(ExternalToUtf8(bytes.substr(0, end)));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty() || SplitString(line, fields, "|") < kFieldCount)
            continue;
        CsStockUsedRec rec;
        rec.Id = ParseInt(fields[0]);
        rec.OrderNo = fields[1];
        rec.Qty = static_cast<std::uint16_t>(ParseInt(fields[2]));
        rec.Date = ParseDayMonthYear(fields[3]);
        rec.Spare = fields[4];
        rec.Material = fields[5];
        rec.Length = ParseDouble(fields[6]);
        rec.Width = ParseDouble(fields[7]);
        rec.Thickness = ParseDouble(fields[8]);
        records.push_back(std::move(rec));
    }
    return records;
}

} // namespace vellicor
