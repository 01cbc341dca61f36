#pragma once

#include "inventory/inventorylock.h"
#include "inventory/inventorystore.h"
#include "inventory/records.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vellicor {

class CsStockDb;
class IUserMessages;

// Results of the inventory operations.
inline constexpr int kInventoryDone = 0;
inline constexpr int kInventoryFailed = 1;
inline constexpr int kInventoryCancelled = 3;

// The stock inventory "stock.db" and the stocks-used log "stkused.db" of one data directory, which
// several planners may share. Every operation that changes a file holds the data directory's lock
// from loading to saving, first completing a booking an interrupted program left; it loads the
// files afresh and saves what it changed; a file that is absent is created empty. File failures
// and a lock that another planner keeps longer than `lockWait` are told through the messages.
class CsInventory : public IInventoryStore {
public:
    // Completes a left booking and purges the used-up offcuts at once; what stands in the way is
    // told by the operation that follows.
    CsInventory(std::string dataDir, IUserMessages& messages, std::chrono::milliseconds lockWait = kInventoryLockWait);

    // The user edits the whole inventory; Done when saved, Cancelled. When the file changed while the
    // dialog was open, nothing is saved and the user may reload it and edit again.
    int ManageInventory(IInventoryDialogs& dialogs) override;
    // Books a job as one change of the inventory and the job file: everything is checked first (the
    // inventory readable, the job file unchanged and writable, every used coil from the inventory
    // matched by a stock record with enough coils; the user is asked whether to go on without the
    // unmatched ones), then a journal of every file's new content is written, from which the files
    // are written once each. Done with the offcuts' ids set, Cancelled when refused, Failed. After
    // an interruption the next inventory operation completes the booking.
    int Book(BookingRequest& request) override;
    // Each used record with a stock id takes its coils from the first stock record with its Id and
    // Material, equal Length and Width and enough coils; a used record without one is ignored.
    int DeductUsedStock(const std::vector<CsStockRec>& used) override;
    // Appends the records with new ids beyond every id in use, also written into `stock`.
    int AppendStock(std::vector<CsStockRec>& stock) override;
    // Appends today's line of each used record whose id is in the inventory to the log.
    int LogStockUsed(const std::vector<CsStockUsedRec>& used) override;
    // The user picks records: `picked` holds copies of them in inventory order; Done, Cancelled.
    int SelectStock(IInventoryDialogs& dialogs, std::vector<CsStockRec>& picked) override;
    // Removes the offcut records of which no coil is left; prime records stay.
    int PurgeEmptyStock() override;
    // Empties the log.
    int ClearStockUsed() override;
    // Shows the log.
    int ViewStockUsed(IInventoryDialogs& dialogs) override;
    // Appends the log's records to `records`.
    int ReadStockUsed(std::vector<CsStockUsedRec>& records) override;

    std::string StoreName() const override { return dataDir_; }
    // Listing creates nothing: an absent stock.db is an empty inventory.
    int ReadStock(CsStockDb& db) override;
    int ReadMaterialLibrary(CsMateDb& library) override;
    // Only a library loaded from this directory's slitmate.db is saved back into it.
    int SaveMaterialLibrary(const CsMateDb& library) override;
    int ReplaceInventory(const CsStockDb& stock, const std::vector<CsStockUsedRec>& log,
                         const CsMateDb& library) override;

    std::string StockDbPath() const { return dataDir_ + "/stock.db"; }
    std::string StockUsedPath() const { return dataDir_ + "/stkused.db"; }
    std::string MaterialLibraryPath() const { return dataDir_ + "/slitmate.db"; }

private:
    std::unique_ptr<DirectoryLock> Lock();
    std::unique_ptr<DirectoryLock> Lock(IUserMessages& messages);
    bool LoadStock(CsStockDb& db);
    int Purge(IUserMessages& messages);

    std::string dataDir_;
    IUserMessages& messages_;
    std::chrono::milliseconds lockWait_;
};

} // namespace vellicor
