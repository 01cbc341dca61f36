#pragma once

#include "inventory/inventorydialogs.h"
#include "inventory/inventorystore.h"
#include "inventory/stockdb.h"

#include <functional>
#include <vector>

namespace vellicor::test {

// Inventory dialogs that act as the test tells them.
struct ScriptedDialogs : IInventoryDialogs {
    bool EditInventory(CsStockDb& db) override { return edit(db); }
    bool SelectStock(CsStockDb& db) override { return select(db); }
    void ViewStockUsed(const std::vector<CsStockUsedRec>& records, IInventoryStore& inventory) override
    {
        viewed = records;
        if (clearOnView)
            inventory.ClearStockUsed();
    }

    std::function<bool(CsStockDb&)> edit;
    std::function<bool(CsStockDb&)> select;
    std::vector<CsStockUsedRec> viewed;
    bool clearOnView = false;
};

} // namespace vellicor::test
