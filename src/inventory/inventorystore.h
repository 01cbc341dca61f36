#pragma once

#include "inventory/records.h"

#include <string>
#include <vector>

namespace vellicor {

class CsMateDb;
class CsStockDb;
class IInventoryDialogs;
struct BookingRequest;

// The result of Book when a booking of the same key is already in the store: nothing was changed
// but the job's flag, and the user was told.
inline constexpr int kInventoryAlreadyBooked = 4;

// Where the stock inventory, the stocks-used log and the material library are kept: the files of a
// data directory, or a shared database. The operations of the inventory service return the results
// of inventory.h (kInventoryDone...); failures are told through the store's messages.
class IInventoryStore {
public:
    virtual ~IInventoryStore() = default;

    // Which store this is, for the user: the data directory, or the database without its password.
    virtual std::string StoreName() const = 0;

    // The user edits the whole inventory; Done when saved, Cancelled. When the inventory changed
    // since the dialog was filled nothing is saved, and the user may reload it and edit again.
    virtual int ManageInventory(IInventoryDialogs& dialogs) = 0;
    virtual int DeductUsedStock(const std::vector<CsStockRec>& used) = 0;
    virtual int AppendStock(std::vector<CsStockRec>& stock) = 0;
    virtual int LogStockUsed(const std::vector<CsStockUsedRec>& used) = 0;
    virtual int SelectStock(IInventoryDialogs& dialogs, std::vector<CsStockRec>& picked) = 0;
    virtual int PurgeEmptyStock() = 0;
    virtual int ClearStockUsed() = 0;
    virtual int ViewStockUsed(IInventoryDialogs& dialogs) = 0;
    virtual int ReadStockUsed(std::vector<CsStockUsedRec>& records) = 0;

    // The stock inventory as it stands.
    virtual int ReadStock(CsStockDb& db) = 0;
    // Deducts and logs the used stock, appends the offcuts, purges used-up offcuts and saves the job
    // with its flag, all or nothing; Done with the offcuts' ids set, Cancelled when refused, Failed,
    // or kInventoryAlreadyBooked.
    virtual int Book(BookingRequest& request) = 0;

    virtual int ReadMaterialLibrary(CsMateDb& library) = 0;
    virtual int SaveMaterialLibrary(const CsMateDb& library) = 0;

    // Replaces stock, log and library at once; the log keeps the records' own dates.
    virtual int ReplaceInventory(const CsStockDb& stock, const std::vector<CsStockUsedRec>& log,
                                 const CsMateDb& library) = 0;
};

} // namespace vellicor
