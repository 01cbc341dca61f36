#include "pgstore/pgrows.h"

#include <cmath>

namespace vellicor {
namespace {

std::string Int(long long value)
{
    return std::to_string(value);
}

} // namespace

PgParams StockParams(const CsStockRec& rec)
{
    return {Int(rec.Id),
            Int(rec.Type),
            rec.Name,
            ExactText(rec.Length),
            ExactText(rec.Width),
            ExactText(rec.Thickness),
            ExactText(rec.CostPerKg),
            Int(rec.Qty),
            rec.Material,
            rec.Remarks,
            ExactText(rec.LeftTrim),
            ExactText(rec.RightTrim),
            Int(rec.Date.status),
            ExactText(rec.Date.value)};
}

CsStockRec StockFromRow(const PgResult& result, int row, int first)
{
    auto text = [&](int column) { return result.Text(row, first + column); };
    auto real = [&](int column) { return ParseExactDouble(text(column)); };
    CsStockRec rec;
    rec.Id = std::stoi(text(0));
    rec.Type = static_cast<std::uint16_t>(std::stoi(text(1)));
    rec.Name = text(2);
    rec.Length = real(3);
    rec.Width = real(4);
    rec.Thickness = real(5);
    rec.CostPerKg = real(6);
    rec.Qty = static_cast<std::uint16_t>(std::stoi(text(7)));
    rec.Material = text(8);
    rec.Remarks = text(9);
    rec.LeftTrim = real(10);
    rec.RightTrim = real(11);
    rec.Date.status = std::stoi(text(12));
    rec.Date.value = real(13);
    return rec;
}

PgParams StockUsedParams(const CsStockUsedRec& rec, const OleDate& day)
{
    std::optional<std::string> days;
    if (day.status == OleDate::Valid)
        days = Int(static_cast<long long>(std::floor(day.value)));
    return {Int(rec.Id),  rec.OrderNo,           Int(rec.Qty),          days,
            rec.Spare,    rec.Material,          ExactText(rec.Length), ExactText(rec.Width),
            ExactText(rec.Thickness)};
}

CsStockUsedRec StockUsedFromRow(const PgResult& result, int row)
{
    CsStockUsedRec rec;
    rec.Id = std::stoi(result.Text(row, 0));
    rec.OrderNo = result.Text(row, 1);
    rec.Qty = static_cast<std::uint16_t>(std::stoi(result.Text(row, 2)));
    rec.Date = result.IsNull(row, 3) ? OleDate{0.0, OleDate::Invalid} : OleDate{std::stod(result.Text(row, 3))};
    rec.Spare = result.Text(row, 4);
    rec.Material = result.Text(row, 5);
    rec.Length = ParseExactDouble(result.Text(row, 6));
    rec.Width = ParseExactDouble(result.Text(row, 7));
    rec.Thickness = ParseExactDouble(result.Text(row, 8));
    return rec;
}

PgParams MaterialParams(int position, const CsMaterialRec& rec)
{
    return {Int(position),          rec.Name,
            rec.Code,               ExactText(rec.Density),
            ExactText(rec.CostPerKg), ExactText(rec.MinOffcutLength),
            ExactText(rec.MinOffcutWidth)};
}

CsMaterialRec MaterialFromRow(const PgResult& result, int row)
{
    CsMaterialRec rec;
    rec.Name = result.Text(row, 0);
    rec.Code = result.Text(row, 1);
    rec.Density = ParseExactFloat(result.Text(row, 2));
    rec.CostPerKg = ParseExactFloat(result.Text(row, 3));
    rec.MinOffcutLength = ParseExactFloat(result.Text(row, 4));
    rec.MinOffcutWidth = ParseExactFloat(result.Text(row, 5));
    return rec;
}

} // namespace vellicor
