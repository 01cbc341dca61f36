#pragma once

#include "inventory/records.h"
#include "inventory/stockdb.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

// One job's booking as the inventory takes it.
struct BookingRequest {
    std::string OrderNo;
    std::vector<CsStockRec> UsedStock;
    // Their ids are set when the job is booked.
    std::vector<CsStockRec> Offcuts;
    // The job file, saved together with the inventory: its path and its bytes with the flag of a
    // booked job set.
    std::string JobPath;
    std::string JobBytes;
    // The job file's bytes as the caller read them; when given, a job file changed since is refused.
    std::optional<std::string> JobLoaded;
    // Made from the job by BookingKey; a store that keeps it books a key once.
    std::string Key;
};

// What a booking changes, worked out in memory before any file is written.
struct BookingPlan {
    // The stock after the coils used are deducted, the offcuts appended and used-up offcuts purged.
    CsStockDb Stock;
    // The whole stocks-used log with the booking's lines.
    std::string StockUsed;
    // The offcuts with their new ids.
    std::vector<CsStockRec> Offcuts;
    // Used coils from the inventory that match no stock record with enough coils; they are left out.
    std::vector<CsStockRec> Unmatched;
    // False when the offcuts would need more ids than the file can hold; the plan is then void.
    bool IdsLeft = true;
};

// The booking of `request` on the stock and log as they are, the log lines dated `today`. Only
// the coils deducted are logged, merged by stock id.
BookingPlan PlanBooking(const CsStockDb& stock, std::string_view stockUsed, const BookingRequest& request,
                        const OleDate& today);

// One line per unmatched coil, as the refusal lists them.
std::string UnmatchedCoilsText(const std::vector<CsStockRec>& unmatched);

} // namespace vellicor
