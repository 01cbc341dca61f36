#include "inventory/bookingplan.h"

#include "inventory/booking.h"
#include "inventory/stockchanges.h"
#include "units/units.h"

namespace vellicor {

BookingPlan PlanBooking(const CsStockDb& stock, std::string_view stockUsed, const BookingRequest& request,
                        const OleDate& today)
{
    BookingPlan plan;
    plan.Stock = stock;
    const Deduction deduction = DeductUsed(plan.Stock, request.UsedStock);
    plan.Unmatched = deduction.Unmatched;
    plan.StockUsed = std::string(stockUsed);
    // A log that a hand edit left without its last line break would run into the booking's first line.
    if (!plan.StockUsed.empty() && plan.StockUsed.back() != '\n')
        plan.StockUsed += '\n';
    plan.StockUsed += StockUsedLines(plan.Stock, MergeUsedById(deduction.Deducted, request.OrderNo), today);
    plan.Offcuts = request.Offcuts;
    plan.IdsLeft = AppendWithNewIds(plan.Stock, plan.Offcuts);
    PurgeEmptyOffcuts(plan.Stock);
    return plan;
}

std::string UnmatchedCoilsText(const std::vector<CsStockRec>& unmatched)
{
    std::string text;
    for (const auto& rec : unmatched)
        text += "  " + std::to_string(rec.Id) + "  " + rec.Material + "  " + FormatLength(rec.Length) + " x "
            + FormatLength(rec.Width) + "  " + std::to_string(rec.Qty) + "\n";
    return text;
}

} // namespace vellicor
