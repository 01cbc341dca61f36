#pragma once

#include "inventory/records.h"

#include <vector>

namespace vellicor {

class CsStockDb;
class IInventoryStore;

// The inventory dialog in its three modes, as the desktop application shows it.
class IInventoryDialogs {
public:
    virtual ~IInventoryDialogs() = default;

    // Edit mode: on OK the database's records hold the grid's rows (new rows with new ids) and the
    // result is true.
    virtual bool EditInventory(CsStockDb& db) = 0;
    // Selection mode: on OK the records the user picked have Sel set and the result is true.
    virtual bool SelectStock(CsStockDb& db) = 0;
    // Stocks-used mode: shows the log's records; its clear button empties the log through
    // `inventory`.ClearStockUsed and closes the dialog.
    virtual void ViewStockUsed(const std::vector<CsStockUsedRec>& records, IInventoryStore& inventory) = 0;
};

} // namespace vellicor
