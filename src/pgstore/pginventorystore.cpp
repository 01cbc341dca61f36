#include "pgstore/pginventorystore.h"

#include "inventory/booking.h"
#include "inventory/bookingplan.h"
#include "inventory/inventory.h"
#include "inventory/inventorydialogs.h"
#include "inventory/matedb.h"
#include "inventory/stockchanges.h"
#include "inventory/stockdb.h"
#include "model/jobfile.h"
#include "pgstore/pgrows.h"
#include "pgstore/pgschema.h"
#include "pgstore/storeuri.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "units/numeric.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

namespace vellicor {
namespace {

constexpr int kMsgAlreadyUpdated = 263;

// Deadlocks and serialization failures clear up when the other transaction is through.
constexpr int kBusyRetries = 50;
constexpr int kLostRetries = 3;

// The records' ids as a PostgreSQL integer array.
template <typename Record> std::string IdArray(const std::vector<Record>& records)
{
    std::string array = "{";
    for (const auto& rec : records)
        array += (array.size() > 1 ? "," : "") + std::to_string(rec.Id);
    return array + "}";
}

std::string RandomToken()
{
    std::random_device random;
    std::string token;
    for (int i = 0; i < 4; ++i)
        token += std::to_string(random()) + '-';
    return token;
}

// The INSERT of a stock record whose id comes from the sequence: the record's parameters less the id.
const std::string& InsertWithNewId()
{
    static const std::string sql = [] {
        std::string values = "nextval('vellicor.stock_id')";
        for (int i = 1; i < kStockColumnCount; ++i)
            values += ", $" + std::to_string(i);
        return std::string("INSERT INTO vellicor.stock (") + kStockColumns + ") VALUES (" + values + ") RETURNING id";
    }();
    return sql;
}

const std::string& InsertWithId()
{
    static const std::string sql = [] {
        std::string values;
        for (int i = 1; i <= kStockColumnCount; ++i)
            values += (i > 1 ? ", $" : "$") + std::to_string(i);
        return std::string("INSERT INTO vellicor.stock (") + kStockColumns + ") VALUES (" + values + ")";
    }();
    return sql;
}

const std::string& UpdateRow()
{
    static const std::string sql = [] {
        std::string sets;
        std::string columns = kStockColumns;
        int n = 1;
        std::size_t start = 0;
        while (start < columns.size()) {
            const std::size_t end = std::min(columns.find(", ", start), columns.size());
            sets += (n > 1 ? ", " : "") + columns.substr(start, end - start) + " = $" + std::to_string(n);
            ++n;
            start = end + 2;
        }
        return "UPDATE vellicor.stock SET " + sets + ", row_version = row_version + 1 WHERE row_key = $"
            + std::to_string(n);
    }();
    return sql;
}

PgParams WithoutId(const CsStockRec& rec)
{
    PgParams params = StockParams(rec);
    params.erase(params.begin());
    return params;
}

} // namespace

PgInventoryStore::PgInventoryStore(std::string uri, IUserMessages& messages)
    : uri_(std::move(uri)), messages_(messages), db_(uri_)
{
}

std::string PgInventoryStore::StoreName() const
{
    return UriWithoutPassword(uri_);
}

bool PgInventoryStore::Open()
{
    if (!db_.Connect()) {
        TellFailure();
        return false;
    }
    const int version = PgSchemaVersion(db_);
    if (version < 0)
        TellFailure();
    else if (version > kPgSchemaVersion)
        messages_.Tell(ids::StoreNewerSchema, {StoreName(), std::to_string(version)}, MessageIcon::Error);
    else if (version < kPgSchemaVersion)
        messages_.Tell(ids::StoreNoSchema, {StoreName()}, MessageIcon::Error);
    return version == kPgSchemaVersion;
}

int PgInventoryStore::InitSchema()
{
    const int version = db_.Connect() ? MigratePgSchema(db_) : -1;
    if (version < 0)
        TellFailure();
    else if (version > kPgSchemaVersion)
        messages_.Tell(ids::StoreNewerSchema, {StoreName(), std::to_string(version)}, MessageIcon::Error);
    return version;
}

void PgInventoryStore::TellFailure()
{
    switch (db_.Failure()) {
    case PgFailure::Connect:
        messages_.Tell(ids::StoreConnectFailed, {StoreName(), db_.Error()}, MessageIcon::Error);
        break;
    case PgFailure::Password:
        messages_.Tell(ids::StoreWrongPassword, {StoreName()}, MessageIcon::Error);
        break;
    case PgFailure::Lost:
        messages_.Tell(ids::StoreConnectionLost, {StoreName()}, MessageIcon::Error);
        break;
    case PgFailure::Retry:
        messages_.Tell(ids::StoreBusy, {StoreName()}, MessageIcon::Error);
        break;
    case PgFailure::Other:
    case PgFailure::None:
        messages_.Tell(ids::StoreError, {StoreName(), db_.Error()}, MessageIcon::Error);
        break;
    }
}

bool PgInventoryStore::Transact(const std::function<bool()>& work, bool rerunnable)
{
    std::minstd_rand jitter(std::random_device{}());
    int busy = 0;
    int lost = 0;
    for (;;) {
        if (!db_.Connect()) {
            // Not coming back after a break is the break's story, not a new one.
            if (lost > 0)
                messages_.Tell(ids::StoreConnectionLost, {StoreName()}, MessageIcon::Error);
            else
                TellFailure();
            return false;
        }
        bool committing = false;
        if (db_.Exec("BEGIN") && work()) {
            committing = true;
            if (db_.Exec("COMMIT"))
                return true;
        }
        const PgFailure failure = db_.Failure();
        db_.Rollback();
        if (failure == PgFailure::None)
            return false;
        if (failure == PgFailure::Retry && ++busy <= kBusyRetries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1 + jitter() % (2 * busy)));
            continue;
        }
        // Whether a commit whose answer was lost went through is unknown: only work that can
        // tell runs again.
        if (failure == PgFailure::Lost && ++lost <= kLostRetries && (!committing || rerunnable))
            continue;
        TellFailure();
        return false;
    }
}

bool PgInventoryStore::ReadStockRows(CsStockDb& db, std::vector<RowVersion>* versions)
{
    db.Load({});
    if (versions)
        versions->clear();
    const auto last = db_.Exec("SELECT last_value FROM vellicor.stock_id");
    const auto rows = last ? db_.Exec(std::string("SELECT row_key, row_version, ") + kStockColumns
                                      + " FROM vellicor.stock ORDER BY row_key")
                           : std::nullopt;
    if (!rows)
        return false;
    db.LastId = std::stoi(last->Text(0, 0));
    for (int r = 0; r < rows->Rows(); ++r) {
        db.Records.push_back(StockFromRow(*rows, r, 2));
        if (versions)
            versions->push_back({rows->Text(r, 0), rows->Text(r, 1)});
    }
    return true;
}

int PgInventoryStore::ReadStock(CsStockDb& db)
{
    const bool read = Transact([&] {
        return db_.Exec("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ") && ReadStockRows(db, nullptr);
    }, true);
    return read ? kInventoryDone : kInventoryFailed;
}

bool PgInventoryStore::Deduct(const std::vector<CsStockRec>& used, std::vector<CsStockRec>* deducted)
{
    if (used.empty())
        return true;
    // Locked in one order by every booking, so that two bookings never wait for each other.
    const auto rows = db_.Exec("SELECT row_key, qty, id, material, length, width FROM vellicor.stock "
                               "WHERE id = ANY($1::integer[]) ORDER BY row_key FOR UPDATE",
                               {IdArray(used)});
    if (!rows)
        return false;
    struct Row {
        std::string key;
        int qty;
        std::int32_t id;
        std::string material;
        double length;
        double width;
        bool changed = false;
    };
    std::vector<Row> stock;
    for (int r = 0; r < rows->Rows(); ++r)
        stock.push_back({rows->Text(r, 0), std::stoi(rows->Text(r, 1)), std::stoi(rows->Text(r, 2)), rows->Text(r, 3),
                         ParseExactDouble(rows->Text(r, 4)), ParseExactDouble(rows->Text(r, 5))});
    for (const auto& u : used) {
        const auto d = std::find_if(stock.begin(), stock.end(), [&](const Row& d) {
            return d.id == u.Id && d.material == u.Material && IsEqual(d.length, u.Length) && IsEqual(d.width, u.Width)
                && d.qty >= u.Qty;
        });
        if (d == stock.end())
            continue;
        d->qty -= u.Qty;
        d->changed = true;
        if (deducted)
            deducted->push_back(u);
    }
    for (const auto& d : stock)
        if (d.changed
            && !db_.Exec("UPDATE vellicor.stock SET qty = $1, row_version = row_version + 1 WHERE row_key = $2",
                         {std::to_string(d.qty), d.key}))
            return false;
    return true;
}

bool PgInventoryStore::Log(const std::vector<CsStockUsedRec>& used)
{
    if (used.empty())
        return true;
    const auto present = db_.Exec("SELECT DISTINCT id FROM vellicor.stock WHERE id = ANY($1::integer[])",
                                  {IdArray(used)});
    if (!present)
        return false;
    std::vector<std::int32_t> ids;
    for (int r = 0; r < present->Rows(); ++r)
        ids.push_back(std::stoi(present->Text(r, 0)));
    const OleDate today = OleDateNow();
    for (const auto& rec : used)
        if (std::find(ids.begin(), ids.end(), rec.Id) != ids.end()
            && !db_.Exec(kStockUsedInsert, StockUsedParams(rec, today)))
            return false;
    return true;
}

bool PgInventoryStore::Append(std::vector<CsStockRec>& stock)
{
    for (auto& rec : stock) {
        const auto id = db_.Exec(InsertWithNewId(), WithoutId(rec));
        if (!id)
            return false;
        rec.Id = std::stoi(id->Text(0, 0));
    }
    return true;
}

bool PgInventoryStore::Purge()
{
    return db_.Exec("DELETE FROM vellicor.stock WHERE qty = 0 AND type <> 0").has_value();
}

int PgInventoryStore::DeductUsedStock(const std::vector<CsStockRec>& used)
{
    return Transact([&] { return Deduct(used, nullptr); }) ? kInventoryDone : kInventoryFailed;
}

int PgInventoryStore::AppendStock(std::vector<CsStockRec>& stock)
{
    std::vector<CsStockRec> appended;
    const bool done = Transact([&] {
        appended = stock;
        return Append(appended);
    });
    if (!done)
        return kInventoryFailed;
    stock = std::move(appended);
    return kInventoryDone;
}

int PgInventoryStore::LogStockUsed(const std::vector<CsStockUsedRec>& used)
{
    return Transact([&] { return Log(used); }) ? kInventoryDone : kInventoryFailed;
}

int PgInventoryStore::PurgeEmptyStock()
{
    return Transact([&] { return Purge(); }, true) ? kInventoryDone : kInventoryFailed;
}

int PgInventoryStore::ClearStockUsed()
{
    return Transact([&] { return db_.Exec("DELETE FROM vellicor.stock_used").has_value(); }, true) ? kInventoryDone
                                                                                                 : kInventoryFailed;
}

int PgInventoryStore::ReadStockUsed(std::vector<CsStockUsedRec>& records)
{
    std::vector<CsStockUsedRec> read;
    const bool done = Transact([&] {
        read.clear();
        const auto rows = db_.Exec(std::string("SELECT ") + kStockUsedColumns + " FROM vellicor.stock_used ORDER BY line");
        if (!rows)
            return false;
        for (int r = 0; r < rows->Rows(); ++r)
            read.push_back(StockUsedFromRow(*rows, r));
        return true;
    }, true);
    if (!done)
        return kInventoryFailed;
    records.insert(records.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    return kInventoryDone;
}

bool PgInventoryStore::CheckBooking(const BookingRequest& request)
{
    if (request.JobLoaded) {
        std::string job;
        if (ReadWholeFile(request.JobPath, job) != FileError::None || job != *request.JobLoaded) {
            messages_.Tell(ids::JobChangedSinceLoaded, {request.JobPath}, MessageIcon::Error);
            return false;
        }
    }
    // Asked before the transaction, so that no question holds stock rows locked; a booking made
    // before has nothing to ask about.
    bool booked = false;
    CsStockDb stock;
    const bool read = Transact([&] {
        const auto key = db_.Exec("SELECT 1 FROM vellicor.bookings WHERE booking_key = $1", {request.Key});
        booked = key && key->Rows() > 0;
        return key && (booked || ReadStockRows(stock, nullptr));
    }, true);
    if (!read || booked)
        return read;
    const Deduction deduction = DeductUsed(stock, request.UsedStock);
    return deduction.Unmatched.empty()
        || messages_.Ask(ids::UnmatchedCoils, MessageButtons::YesNo, {UnmatchedCoilsText(deduction.Unmatched)})
        == MessageAnswer::Yes;
}

int PgInventoryStore::Book(BookingRequest& request)
{
    if (!request.JobPath.empty())
        if (const int error = SaveErrorId(CheckWritable(request.JobPath)); error != 0) {
            messages_.Tell(error, {request.JobPath}, MessageIcon::Error);
            return kInventoryFailed;
        }
    if (!CheckBooking(request))
        return db_.Failure() == PgFailure::None ? kInventoryCancelled : kInventoryFailed;

    const std::string attempt = RandomToken();
    bool earlier = false;
    bool ours = false;
    std::vector<CsStockRec> offcuts;
    const bool done = Transact([&] {
        offcuts = request.Offcuts;
        earlier = ours = false;
        const auto claimed = db_.Exec("INSERT INTO vellicor.bookings (booking_key, attempt, order_no) "
                                      "VALUES ($1, $2, $3) ON CONFLICT DO NOTHING RETURNING 1",
                                      {request.Key, attempt, request.OrderNo});
        if (!claimed)
            return false;
        if (claimed->Rows() == 0) {
            const auto booked = db_.Exec("SELECT attempt, array_to_string(offcut_ids, ',') FROM vellicor.bookings "
                                         "WHERE booking_key = $1",
                                         {request.Key});
            if (!booked)
                return false;
            earlier = true;
            // This call's own commit, whose answer the broken connection lost.
            ours = booked->Rows() == 1 && booked->Text(0, 0) == attempt;
            if (ours) {
                std::string ids = booked->Text(0, 1);
                for (auto& rec : offcuts) {
                    const std::size_t comma = ids.find(',');
                    rec.Id = std::stoi(ids.substr(0, comma));
                    ids.erase(0, comma == std::string::npos ? ids.size() : comma + 1);
                }
            }
            return false;
        }
        std::vector<CsStockRec> deducted;
        if (!Deduct(request.UsedStock, &deducted) || !Log(MergeUsedById(deducted, request.OrderNo))
            || !Append(offcuts) || !Purge())
            return false;
        return db_.Exec("UPDATE vellicor.bookings SET offcut_ids = $2::integer[] WHERE booking_key = $1",
                        {request.Key, IdArray(offcuts)})
            .has_value();
    }, true);
    if (!done && !earlier)
        return kInventoryFailed;
    // The booking is in the store: the job file is flagged, even when it is a copy booked before.
    if (!request.JobPath.empty())
        if (const int error = SaveErrorId(WriteFileAtomically(request.JobPath, request.JobBytes)); error != 0) {
            messages_.Tell(error, {request.JobPath}, MessageIcon::Error);
            return kInventoryFailed;
        }
    if (earlier && !ours) {
        messages_.Tell(kMsgAlreadyUpdated);
        return kInventoryAlreadyBooked;
    }
    request.Offcuts = std::move(offcuts);
    return kInventoryDone;
}

bool PgInventoryStore::SaveEdited(const CsStockDb& edited, const CsStockDb& loaded,
                                  const std::vector<RowVersion>& versions, bool& conflict)
{
    const auto now = db_.Exec("SELECT row_key, row_version FROM vellicor.stock ORDER BY row_key FOR UPDATE");
    if (!now)
        return false;
    std::vector<RowVersion> current;
    for (int r = 0; r < now->Rows(); ++r)
        current.push_back({now->Text(r, 0), now->Text(r, 1)});
    conflict = current != versions;
    if (conflict)
        return false;
    // Rows keep their keys where the grid kept their place; the ERP sees edits, not replacements.
    const std::size_t kept = std::min(edited.Records.size(), versions.size());
    for (std::size_t i = 0; i < kept; ++i) {
        if (StockParams(edited.Records[i]) == StockParams(loaded.Records[i]))
            continue;
        PgParams params = StockParams(edited.Records[i]);
        params.push_back(versions[i].key);
        if (!db_.Exec(UpdateRow(), params))
            return false;
    }
    for (std::size_t i = kept; i < versions.size(); ++i)
        if (!db_.Exec("DELETE FROM vellicor.stock WHERE row_key = $1", {versions[i].key}))
            return false;
    for (std::size_t i = kept; i < edited.Records.size(); ++i)
        if (!db_.Exec(InsertWithId(), StockParams(edited.Records[i])))
            return false;
    return db_
        .Exec("SELECT setval('vellicor.stock_id', GREATEST(last_value, $1::integer)) FROM vellicor.stock_id",
              {std::to_string(edited.LastId)})
        .has_value();
}

int PgInventoryStore::ManageInventory(IInventoryDialogs& dialogs)
{
    for (;;) {
        CsStockDb loaded;
        std::vector<RowVersion> versions;
        if (!Transact([&] { return ReadStockRows(loaded, &versions); }, true))
            return kInventoryFailed;
        CsStockDb edited = loaded;
        if (!dialogs.EditInventory(edited))
            return kInventoryCancelled;
        bool conflict = false;
        if (Transact([&] { return SaveEdited(edited, loaded, versions, conflict); }))
            return kInventoryDone;
        if (!conflict)
            return kInventoryFailed;
        // Saving over a booking or another planner's edit made meanwhile would lose it.
        if (messages_.Ask(ids::StoreChangedSinceLoaded, MessageButtons::YesNo, {StoreName()}) != MessageAnswer::Yes)
            return kInventoryCancelled;
    }
}

int PgInventoryStore::SelectStock(IInventoryDialogs& dialogs, std::vector<CsStockRec>& picked)
{
    picked.clear();
    CsStockDb db;
    if (ReadStock(db) != kInventoryDone)
        return kInventoryFailed;
    if (!dialogs.SelectStock(db))
        return kInventoryCancelled;
    std::copy_if(db.Records.begin(), db.Records.end(), std::back_inserter(picked),
                 [](const CsStockRec& rec) { return rec.Sel != 0; });
    return kInventoryDone;
}

int PgInventoryStore::ViewStockUsed(IInventoryDialogs& dialogs)
{
    std::vector<CsStockUsedRec> records;
    if (ReadStockUsed(records) != kInventoryDone)
        return kInventoryFailed;
    dialogs.ViewStockUsed(records, *this);
    return kInventoryDone;
}

int PgInventoryStore::ReadMaterialLibrary(CsMateDb& library)
{
    CsMateDb read;
    const bool done = Transact([&] {
        read.Load({});
        const auto value = db_.Exec("SELECT value FROM vellicor.meta WHERE name = 'library_value'");
        const auto rows = value ? db_.Exec(std::string("SELECT ") + kMaterialColumns
                                           + " FROM vellicor.materials ORDER BY position")
                                : std::nullopt;
        if (!rows)
            return false;
        read.Value = value->Rows() == 1 ? std::stoi(value->Text(0, 0)) : -1;
        for (int r = 0; r < rows->Rows(); ++r)
            read.Records.push_back(MaterialFromRow(*rows, r));
        return true;
    }, true);
    if (!done)
        return kInventoryFailed;
    library.Value = read.Value;
    library.Records = std::move(read.Records);
    return kInventoryDone;
}

namespace {

bool WriteLibrary(PgConnection& db, const CsMateDb& library)
{
    if (!db.Exec("DELETE FROM vellicor.materials")
        || !db.Exec("UPDATE vellicor.meta SET value = $1 WHERE name = 'library_value'", {std::to_string(library.Value)}))
        return false;
    for (std::size_t i = 0; i < library.Records.size(); ++i)
        if (!db.Exec(std::string("INSERT INTO vellicor.materials (position, ") + kMaterialColumns
                         + ") VALUES ($1, $2, $3, $4, $5, $6, $7)",
                     MaterialParams(static_cast<int>(i), library.Records[i])))
            return false;
    return true;
}

} // namespace

int PgInventoryStore::SaveMaterialLibrary(const CsMateDb& library)
{
    return Transact([&] { return WriteLibrary(db_, library); }, true) ? kInventoryDone : kInventoryFailed;
}

int PgInventoryStore::ReplaceInventory(const CsStockDb& stock, const std::vector<CsStockUsedRec>& log,
                                       const CsMateDb& library)
{
    const bool done = Transact([&] {
        if (!db_.Exec("DELETE FROM vellicor.stock") || !db_.Exec("DELETE FROM vellicor.stock_used")
            || !db_.Exec("SELECT setval('vellicor.stock_id', $1::integer)", {std::to_string(stock.LastId)}))
            return false;
        for (const auto& rec : stock.Records)
            if (!db_.Exec(InsertWithId(), StockParams(rec)))
                return false;
        for (const auto& rec : log)
            if (!db_.Exec(kStockUsedInsert, StockUsedParams(rec, rec.Date)))
                return false;
        return WriteLibrary(db_, library);
    }, true);
    return done ? kInventoryDone : kInventoryFailed;
}

} // namespace vellicor
