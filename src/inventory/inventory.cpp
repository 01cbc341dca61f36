#include "inventory/inventory.h"

#include "inventory/bookingjournal.h"
#include "inventory/bookingplan.h"
#include "inventory/inventorydialogs.h"
#include "inventory/stockchanges.h"
#include "inventory/stockdb.h"
#include "inventory/stockusedlog.h"
#include "model/jobfile.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "units/textutil.h"

#include <algorithm>
#include <filesystem>

namespace vellicor {
namespace {

std::string Absolute(const std::string& path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::u8path(path), ec);
    if (ec)
        return path;
    const std::u8string text = absolute.u8string();
    return std::string(text.begin(), text.end());
}

// The stocks-used log; an absent one is empty.
bool ReadLog(const std::string& path, std::string& log, IUserMessages& messages)
{
    const FileError error = ReadWholeFile(path, log);
    if (error == FileError::None || error == FileError::NotFound)
        return true;
    messages.Tell(OpenErrorId(error), {path}, MessageIcon::Error);
    return false;
}

// Passes on only what opening alone can say: that completing a left booking kept a changed file
// aside. A busy, missing or damaged inventory the operation that follows tells itself.
class COpeningMessages : public IUserMessages {
public:
    explicit COpeningMessages(IUserMessages& to) : to_(to) {}

    MessageAnswer Show(int id, const std::vector<std::string>& args, MessageButtons buttons, MessageIcon icon) override
    {
        return id == ids::ChangedFileKeptAside ? to_.Show(id, args, buttons, icon) : MessageAnswer::Cancel;
    }

private:
    IUserMessages& to_;
};

} // namespace

CsInventory::CsInventory(std::string dataDir, IUserMessages& messages, std::chrono::milliseconds lockWait)
    : dataDir_(std::move(dataDir)), messages_(messages), lockWait_(lockWait)
{
    StripTrailingSlash(dataDir_);
    // Waits like any operation, so that a booking another program is making or left is complete
    // before the caller reads its job; what stands in the way is told once, by the operation the
    // inventory was opened for.
    COpeningMessages opening(messages_);
    Purge(opening);
}

std::unique_ptr<DirectoryLock> CsInventory::Lock()
{
    return Lock(messages_);
}

std::unique_ptr<DirectoryLock> CsInventory::Lock(IUserMessages& messages)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::u8path(dataDir_), ec)) {
        messages.Tell(ids::FileNotFound, {StockDbPath()}, MessageIcon::Error);
        return nullptr;
    }
    return LockInventory(dataDir_, messages, lockWait_);
}

bool CsInventory::LoadStock(CsStockDb& db)
{
    return db.OpenOrCreate(StockDbPath(), messages_);
}

int CsInventory::ManageInventory(IInventoryDialogs& dialogs)
{
    for (;;) {
        CsStockDb db;
        // A database that did not load has nowhere to be saved: editing it would be lost work.
        if (!Lock() || !LoadStock(db))
            return kInventoryFailed;
        if (!dialogs.EditInventory(db))
            return kInventoryCancelled;
        const auto lock = Lock();
        if (!lock)
            return kInventoryFailed;
        // Saving over a booking made meanwhile would lose it.
        if (!db.ChangedOnDisk())
            return db.Save(messages_) ? kInventoryDone : kInventoryFailed;
        if (messages_.Ask(ids::FileChangedSinceLoaded, MessageButtons::YesNo, {StockDbPath()}) != MessageAnswer::Yes)
            return kInventoryCancelled;
    }
}

int CsInventory::Book(BookingRequest& request)
{
    const auto lock = Lock();
    if (!lock)
        return kInventoryFailed;

    CsStockDb db;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::u8path(StockDbPath()), ec) && !db.Open(StockDbPath(), messages_))
        return kInventoryFailed;
    std::string log;
    if (!ReadLog(StockUsedPath(), log, messages_))
        return kInventoryFailed;
    if (request.JobLoaded) {
        std::string job;
        if (ReadWholeFile(request.JobPath, job) != FileError::None || job != *request.JobLoaded) {
            messages_.Tell(ids::JobChangedSinceLoaded, {request.JobPath}, MessageIcon::Error);
            return kInventoryCancelled;
        }
    }
    for (const std::string& path : {StockDbPath(), StockUsedPath(), request.JobPath}) {
        if (const int error = SaveErrorId(CheckWritable(path)); error != 0) {
            messages_.Tell(error, {path}, MessageIcon::Error);
            return kInventoryFailed;
        }
    }

    BookingPlan plan = PlanBooking(db, log, request, OleDateNow());
    if (!plan.IdsLeft) {
        messages_.Tell(ids::StockIdsExhausted, {StockDbPath()}, MessageIcon::Error);
        return kInventoryFailed;
    }
    if (!plan.Unmatched.empty()
        && messages_.Ask(ids::UnmatchedCoils, MessageButtons::YesNo, {UnmatchedCoilsText(plan.Unmatched)})
            != MessageAnswer::Yes)
        return kInventoryCancelled;

    // The job is saved without the lock: a version saved between an interruption and the roll
    // forward is kept rather than overwritten.
    std::string jobBefore;
    const bool jobRead = ReadWholeFile(request.JobPath, jobBefore) == FileError::None;
    const BookingJournal journal{{{Absolute(StockDbPath()), plan.Stock.Bytes()},
                                  {Absolute(StockUsedPath()), plan.StockUsed},
                                  {Absolute(request.JobPath), request.JobBytes, jobRead ? JournalChecksum(jobBefore) : ""}}};
    const std::string journalPath = JournalPath(dataDir_);
    if (const int error = SaveErrorId(WriteFileAtomically(journalPath, JournalBytes(journal))); error != 0) {
        messages_.Tell(error, {journalPath}, MessageIcon::Error);
        return kInventoryFailed;
    }
    // From here on the booking stands: what is not written now, the next operation writes.
    if (!ApplyJournal(journal, messages_))
        return kInventoryFailed;
    request.Offcuts = std::move(plan.Offcuts);
    if (const int error = SaveErrorId(RemoveFileDurably(journalPath)); error != 0)
        messages_.Tell(error, {journalPath}, MessageIcon::Error);
    return kInventoryDone;
}

int CsInventory::DeductUsedStock(const std::vector<CsStockRec>& used)
{
    if (used.empty())
        return kInventoryDone;
    CsStockDb db;
    const auto lock = Lock();
    if (!lock || !LoadStock(db))
        return kInventoryFailed;
    if (!DeductUsed(db, used).Deducted.empty() && !db.Save(messages_))
        return kInventoryFailed;
    return kInventoryDone;
}

int CsInventory::AppendStock(std::vector<CsStockRec>& stock)
{
    if (stock.empty())
        return kInventoryDone;
    CsStockDb db;
    const auto lock = Lock();
    if (!lock || !LoadStock(db))
        return kInventoryFailed;
    std::vector<CsStockRec> appended = stock;
    if (!AppendWithNewIds(db, appended)) {
        messages_.Tell(ids::StockIdsExhausted, {StockDbPath()}, MessageIcon::Error);
        return kInventoryFailed;
    }
    if (!db.Save(messages_))
        return kInventoryFailed;
    stock = std::move(appended);
    return kInventoryDone;
}

int CsInventory::LogStockUsed(const std::vector<CsStockUsedRec>& used)
{
    const std::string path = StockUsedPath();
    const auto lock = Lock();
    std::string log;
    if (!lock || !ReadLog(path, log, messages_))
        return kInventoryFailed;
    CsStockDb db;
    if (!LoadStock(db))
        return kInventoryFailed;
    log += StockUsedLines(db, used, OleDateNow());
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
    if (!Lock() || !LoadStock(db))
        return kInventoryFailed;
    if (!dialogs.SelectStock(db))
        return kInventoryCancelled;
    std::copy_if(db.Records.begin(), db.Records.end(), std::back_inserter(picked),
                 [](const CsStockRec& rec) { return rec.Sel != 0; });
    return kInventoryDone;
}

int CsInventory::PurgeEmptyStock()
{
    return Purge(messages_);
}

int CsInventory::Purge(IUserMessages& messages)
{
    CsStockDb db;
    const auto lock = Lock(messages);
    if (!lock || !db.OpenOrCreate(StockDbPath(), messages))
        return kInventoryFailed;
    if (PurgeEmptyOffcuts(db) != 0 && !db.Save(messages))
        return kInventoryFailed;
    return kInventoryDone;
}

int CsInventory::ClearStockUsed()
{
    const std::string path = StockUsedPath();
    const auto lock = Lock();
    if (!lock)
        return kInventoryFailed;
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
    if (!CompleteLeftBooking(dataDir_, messages_, lockWait_))
        return kInventoryFailed;
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
