#pragma once

#include "inventory/inventorystore.h"
#include "pgstore/pgconnection.h"

#include <functional>
#include <string>
#include <vector>

namespace vellicor {

class IUserMessages;

// The inventory in a PostgreSQL database, shared by every planner and site that connects to it.
// Each operation is one transaction; a deadlock, a serialization failure or a connection broken
// before the commit runs it again. Failures are told through the messages.
class PgInventoryStore : public IInventoryStore {
public:
    PgInventoryStore(std::string uri, IUserMessages& messages);

    // Connects and checks that the database holds this program's schema; false after the message.
    bool Open();
    // Creates or migrates the schema (inventory init): the schema version, or -1 after the message.
    int InitSchema();

    std::string StoreName() const override;
    int ManageInventory(IInventoryDialogs& dialogs) override;
    int DeductUsedStock(const std::vector<CsStockRec>& used) override;
    int AppendStock(std::vector<CsStockRec>& stock) override;
    int LogStockUsed(const std::vector<CsStockUsedRec>& used) override;
    int SelectStock(IInventoryDialogs& dialogs, std::vector<CsStockRec>& picked) override;
    int PurgeEmptyStock() override;
    int ClearStockUsed() override;
    int ViewStockUsed(IInventoryDialogs& dialogs) override;
    int ReadStockUsed(std::vector<CsStockUsedRec>& records) override;
    int ReadStock(CsStockDb& db) override;
    // One transaction, recorded under the booking's key: a booking whose key is already recorded is
    // refused, unless this very call recorded it before its connection broke.
    int Book(BookingRequest& request) override;
    int ReadMaterialLibrary(CsMateDb& library) override;
    int SaveMaterialLibrary(const CsMateDb& library) override;
    int ReplaceInventory(const CsStockDb& stock, const std::vector<CsStockUsedRec>& log,
                         const CsMateDb& library) override;

    PgConnection& Connection() { return db_; }

private:
    // Which rows a dialog was filled from, with their versions.
    struct RowVersion {
        std::string key;
        std::string version;
        bool operator==(const RowVersion&) const = default;
    };

    // Runs `work` between BEGIN and COMMIT, again when that may help; `rerunnable` work may also
    // run again after a connection broke during its commit. False after the message, or when
    // `work` gave up (having told why).
    bool Transact(const std::function<bool()>& work, bool rerunnable = false);
    void TellFailure();
    bool ReadStockRows(CsStockDb& db, std::vector<RowVersion>* versions);
    // The job file unchanged and every used coil matched, or the user's consent to go on without.
    bool CheckBooking(const BookingRequest& request);
    bool Deduct(const std::vector<CsStockRec>& used, std::vector<CsStockRec>* deducted);
    bool Log(const std::vector<CsStockUsedRec>& used);
    bool Append(std::vector<CsStockRec>& stock);
    bool Purge();
    // False with `conflict` set when a row changed, went or came since `versions` were read.
    bool SaveEdited(const CsStockDb& edited, const CsStockDb& loaded, const std::vector<RowVersion>& versions,
                    bool& conflict);

    std::string uri_;
    IUserMessages& messages_;
    PgConnection db_;
};

} // namespace vellicor
