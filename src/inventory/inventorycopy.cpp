#include "inventory/inventorycopy.h"

#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"

namespace vellicor {

int CopyInventory(IInventoryStore& from, IInventoryStore& to)
{
    CsStockDb stock;
    std::vector<CsStockUsedRec> log;
    CsMateDb library;
    if (from.ReadStock(stock) != kInventoryDone || from.ReadStockUsed(log) != kInventoryDone
        || from.ReadMaterialLibrary(library) != kInventoryDone)
        return kInventoryFailed;
    return to.ReplaceInventory(stock, log, library);
}

} // namespace vellicor
