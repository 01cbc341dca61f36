#pragma once

#include "inventory/records.h"

#include <string>
#include <vector>

namespace vellicor {

class CVellicorDoc;
class CsInventory;
class IUserMessages;

// Whether a job may be booked against the inventory, asked before the booking lists are shown.
enum class BookingCheck {
    Proceed,
    // The user was told why (or chose not to go on without an order number).
    Refused,
    // The job has no result; nothing was said.
    NoResult,
};

// The checks of the Update Inventory command: an order number (or the user's consent to go on
// without one), a saved job, not yet booked, a result.
BookingCheck CheckInventoryUpdate(const CVellicorDoc& doc, IUserMessages& messages);

// What booking a job changes: the stock it consumes and the offcuts it leaves, which the user may
// still edit before they are booked.
struct BookingLists {
    std::vector<CsStockRec> UsedStock;
    std::vector<CsStockRec> Offcuts;
};

// The lists of the job's result. A used coil is booked against the stock id its name starts with.
BookingLists FillLists(const CVellicorDoc& doc);

// The log entries of the used stock: one per stock id, with the coils summed (held at the
// file's limit).
std::vector<CsStockUsedRec> MergeUsedById(const std::vector<CsStockRec>& usedStock, const std::string& orderNo);

} // namespace vellicor
