#include "inventory/stockchanges.h"

#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "units/numeric.h"

#include <algorithm>
#include <limits>

namespace vellicor {

std::uint16_t SaturatedQty(long long qty)
{
    return static_cast<std::uint16_t>(std::clamp<long long>(qty, 0, std::numeric_limits<std::uint16_t>::max()));
}

Deduction DeductUsed(CsStockDb& db, const std::vector<CsStockRec>& used)
{
    Deduction result;
    for (const auto& u : used) {
        if (u.Id == 0)
            continue;
        const auto d = std::find_if(db.Records.begin(), db.Records.end(), [&](const CsStockRec& d) {
            return d.Id == u.Id && d.Material == u.Material && IsEqual(d.Length, u.Length) && IsEqual(d.Width, u.Width)
                && d.Qty >= u.Qty;
        });
        if (d == db.Records.end()) {
            result.Unmatched.push_back(u);
            continue;
        }
        d->Qty = static_cast<std::uint16_t>(d->Qty - u.Qty);
        result.Deducted.push_back(u);
    }
    return result;
}

namespace {

// The highest id in use; ids above it are free.
long long LastIdInUse(const CsStockDb& db)
{
    long long last = std::max<long long>(db.LastId, 0);
    for (const auto& rec : db.Records)
        last = std::max<long long>(last, rec.Id);
    return last;
}

bool IdsLeft(long long last, std::size_t wanted)
{
    return last + static_cast<long long>(wanted) <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

bool GiveNewIds(CsStockDb& db)
{
    long long last = LastIdInUse(db);
    const auto wanted = static_cast<std::size_t>(
        std::count_if(db.Records.begin(), db.Records.end(), [](const CsStockRec& rec) { return rec.Id == 0; }));
    if (!IdsLeft(last, wanted))
        return false;
    for (auto& rec : db.Records)
        if (rec.Id == 0)
            rec.Id = static_cast<std::int32_t>(++last);
    if (wanted != 0)
        db.LastId = static_cast<std::int32_t>(last);
    return true;
}

bool AppendWithNewIds(CsStockDb& db, std::vector<CsStockRec>& stock)
{
    long long last = LastIdInUse(db);
    if (!IdsLeft(last, stock.size()))
        return false;
    for (auto& rec : stock) {
        rec.Id = static_cast<std::int32_t>(++last);
        db.Records.push_back(rec);
    }
    if (!stock.empty())
        db.LastId = static_cast<std::int32_t>(last);
    return true;
}

std::size_t PurgeEmptyOffcuts(CsStockDb& db)
{
    return std::erase_if(db.Records,
                         [](const CsStockRec& rec) { return rec.Qty == 0 && rec.Type != CsStockRec::Prime; });
}

std::string StockUsedLines(const CsStockDb& db, const std::vector<CsStockUsedRec>& used, const OleDate& day)
{
    std::string lines;
    for (const auto& rec : used) {
        const bool inStock = std::any_of(db.Records.begin(), db.Records.end(),
                                         [&](const CsStockRec& d) { return d.Id == rec.Id; });
        if (inStock)
            lines += StockUsedLine(rec, day);
    }
    return lines;
}

} // namespace vellicor
