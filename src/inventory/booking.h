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

// The log entries of the used stock: one per stock id, with the coils summed.
std::vector<CsStockUsedRec> MergeUsedById(const std::vector<CsStockRec>& usedStock, const std::string& orderNo);

// Books the lists in order: deducts and logs the used stock, appends the offcuts (whose ids are set
// here), purges used-up offcuts. Every step runs even when an earlier one failed; the result tells
// whether all of them succeeded.
bool BookStock(CsInventory& inventory, const std::string& orderNo, const std::vector<CsStockRec>& usedStock,
               std::vector<CsStockRec>& offcuts);

} // namespace vellicor
