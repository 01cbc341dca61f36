#include "inventory/inventory.h"

#include "inventory/inventorydialogs.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "units/numeric.h"
#include "units/textutil.h"

#include <algorithm>

namespace vellicor {

CsInventory::CsInventory(std::string dataDir, IUserMessages& messages)
    : dataDir_(std::move(dataDir)), messages_(messages)
{
    StripTrailingSlash(dataDir_);
    PurgeEmptyStock();
}

bool CsInventory::LoadStock(CsStockDb& db)
{
    return db.OpenOrCreate(StockDbPath(), messages_);
}

int CsInventory::ManageInventory(IInventoryDialogs& dialogs)
{
    CsStockDb db;
    // A database that did not load has nowhere to be saved: editing it would be lost work.
    if (!LoadStock(db))
        return kInventoryFailed;
    const std::string loaded = db.Bytes();
    if (!dialogs.EditInventory(db))
        return kInventoryCancelled;
    // A booking or another planner's edit made while the dialog was open must not be overwritten.
    CsStockDb now;
    if (!LoadStock(now))
        return kInventoryFailed;
    if (now.Bytes() != loaded) {
        messages_.Tell(ids::InventoryChangedMeanwhile, {StoreName()}, MessageIcon::Warning);
        return kInventoryFailed;
    }
    return db.Save(messages_) ? kInventoryDone : kInventoryFailed;
}

int CsInventory::DeductUsedStock(const std::vector<CsStockRec>& used)
{
    if (used.empty())
        return kInventoryDone;
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    bool changed = false;
    for (const auto& u : used) {
        const auto d = std::find_if(db.Records.begin(), db.Records.end(), [&](const CsStockRec& d) {
            return d.Id == u.Id && d.Material == u.Material && IsEqual(d.Length, u.Length) && IsEqual(d.Width, u.Width)
                && d.Qty >= u.Qty;
        });
        if (d == db.Records.end())
            continue;
        d->Qty = static_cast<std::uint16_t>(d->Qty - u.Qty);
        changed = true;
    }
    if (changed && !db.Save(messages_))
        return kInventoryFailed;
    return kInventoryDone;
}

int CsInventory::AppendStock(std::vector<CsStockRec>& stock)
{
    if (stock.empty())
        return kInventoryDone;
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    for (auto& rec : stock) {
        rec.Id = ++db.LastId;
        db.Records.push_back(rec);
    }
    return db.Save(messages_) ? kInventoryDone : kInventoryFailed;
}

int CsInventory::LogStockUsed(const std::vector<CsStockUsedRec>& used)
{
    const std::string path = StockUsedPath();
    std::string log;
    const FileError readError = ReadWholeFile(path, log);
    if (readError != FileError::None && readError != FileError::NotFound) {
        messages_.Tell(OpenErrorId(readError), {path}, MessageIcon::Error);
        return kInventoryFailed;
    }
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    const OleDate today = OleDateNow();
    for (const auto& rec : used) {
        const bool inStock = std::any_of(db.Records.begin(), db.Records.end(),
                                         [&](const CsStockRec& d) { return d.Id == rec.Id; });
        if (inStock)
            log += StockUsedLine(rec, today);
    }
    if (const int error = SaveErrorId(WriteFileAtomically(path, log)); error != 0) {
        messages_.Tell(error, {path}, MessageIcon::Error);
        return kInventoryFailed;
    }
    return kInventoryDone;
}

int CsInventory::SelectStock(IInventoryDialogs& dialogs, std::vector<CsStockRec>& picked)
{
    picked.clear();
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    if (!dialogs.SelectStock(db))
        return kInventoryCancelled;
    std::copy_if(db.Records.begin(), db.Records.end(), std::back_inserter(picked),
                 [](const CsStockRec& rec) { return rec.Sel != 0; });
    return kInventoryDone;
}

int CsInventory::PurgeEmptyStock()
{
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    const auto removed = std::erase_if(
        db.Records, [](const CsStockRec& rec) { return rec.Qty == 0 && rec.Type != CsStockRec::Prime; });
    if (removed != 0 && !db.Save(messages_))
        return kInventoryFailed;
    return kInventoryDone;
}

int CsInventory::ClearStockUsed()
{
    const std::string path = StockUsedPath();
    if (const int error = SaveErrorId(WriteFileAtomically(path, {})); error != 0) {
        messages_.Tell(error, {path}, MessageIcon::Error);
        return kInventoryFailed;
    }
    return kInventoryDone;
}

int CsInventory::ViewStockUsed(IInventoryDialogs& dialogs)
{
    std::vector<CsStockUsedRec> records;
    if (ReadStockUsed(records) != kInventoryDone)
        return kInventoryFailed;
    dialogs.ViewStockUsed(records, *this);
    return kInventoryDone;
}

int CsInventory::ReadStockUsed(std::vector<CsStockUsedRec>& records)
{
    const std::string path = StockUsedPath();
    std::string log;
    const FileError error = ReadWholeFile(path, log);
    if (error == FileError::NotFound)
        return ClearStockUsed();
    if (error != FileError::None) {
        messages_.Tell(OpenErrorId(error), {path}, MessageIcon::Error);
        return kInventoryFailed;
    }
    std::vector<CsStockUsedRec> read = ParseStockUsed(log);
    records.insert(records.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    return kInventoryDone;
}

} // namespace vellicor
