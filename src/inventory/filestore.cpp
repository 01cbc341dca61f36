// The file store's side of the store interface, beside the operations of inventory.cpp.
#include "inventory/inventory.h"
#include "inventory/inventorylock.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"

#include <filesystem>

namespace vellicor {
namespace {

bool WriteOrTell(const std::string& path, std::string_view bytes, IUserMessages& messages)
{
    if (const int error = SaveErrorId(WriteFileAtomically(path, bytes)); error != 0) {
        messages.Tell(error, {path}, MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace

int CsInventory::ReadStock(CsStockDb& db)
{
    if (!CompleteLeftBooking(dataDir_, messages_, lockWait_))
        return kInventoryFailed;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(StockDbPath()), ec) && !ec) {
        db.Load({});
        return kInventoryDone;
    }
    return db.Open(StockDbPath(), messages_) ? kInventoryDone : kInventoryFailed;
}

int CsInventory::ReadMaterialLibrary(CsMateDb& library)
{
    return LoadMaterialLibrary(library, dataDir_, messages_) ? kInventoryDone : kInventoryFailed;
}

int CsInventory::SaveMaterialLibrary(const CsMateDb& library)
{
    // A library that did not load from this directory's file (a damaged one) must not replace it.
    if (library.PathName() != MaterialLibraryPath()) {
        messages_.Tell(ids::FailedToSaveDocument, {}, MessageIcon::Error);
        return kInventoryFailed;
    }
    const auto lock = Lock();
    if (!lock)
        return kInventoryFailed;
    CsMateDb saved = library;
    return saved.Save(messages_) ? kInventoryDone : kInventoryFailed;
}

int CsInventory::ReplaceInventory(const CsStockDb& stock, const std::vector<CsStockUsedRec>& log,
                                  const CsMateDb& library)
{
    std::string lines;
    for (const auto& rec : log)
        lines += StockUsedLine(rec, rec.Date);
    const auto lock = Lock();
    const bool written = lock && WriteOrTell(MaterialLibraryPath(), library.Bytes(), messages_)
        && WriteOrTell(StockUsedPath(), lines, messages_) && WriteOrTell(StockDbPath(), stock.Bytes(), messages_);
    return written ? kInventoryDone : kInventoryFailed;
}

} // namespace vellicor
