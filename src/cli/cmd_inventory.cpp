#include "cli/commandstore.h"
#include "cli/context.h"
#include "cli/datadir.h"
#include "cli/texttable.h"
#include "inventory/inventory.h"
#include "inventory/inventorycopy.h"
#include "inventory/inventorylock.h"
#include "inventory/matedb.h"
#include "inventory/oledate.h"
#include "inventory/stockdb.h"
#include "pgstore/pginventorystore.h"
#include "pgstore/pgschema.h"
#include "pgstore/storeuri.h"
#include "units/numtext.h"
#include "units/units.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>

namespace vellicor::cli {
namespace {

std::string TypeText(std::uint16_t type)
{
    switch (type) {
    case CsStockRec::Prime:
        return "Prime";
    case CsStockRec::Offcut:
        return "Offcut";
    }
    return std::to_string(type);
}

// "dd/mm/yyyy hh:mm" for the table, ISO 8601 for JSON; empty for a date that is not valid.
std::string DateText(const OleDate& date, bool iso)
{
    const auto civil = CivilOf(date);
    if (!civil)
        return {};
    char text[32];
    if (iso)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", civil->year, civil->month, civil->day,
                      civil->hour, civil->minute, civil->second);
    else
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", civil->day, civil->month, civil->year,
                      civil->hour, civil->minute);
    return text;
}

void PrintTable(std::ostream& out, const std::string& name, const CsStockDb& db)
{
    out << "Stock inventory: " << name << "\nLast id: " << db.LastId << "\n\nRecords (" << db.Records.size() << ")\n";
    if (db.Records.empty())
        return;
    TextTable table({"Id", "Type", "Name", "Length", "Width", "Thickness", "Qty", "Material", "Cost/kg", "Left trim",
                     "Right trim", "Date", "Remarks"});
    for (const auto& rec : db.Records)
        table.Add({std::to_string(rec.Id), TypeText(rec.Type), rec.Name, FormatLength(rec.Length),
                   FormatLength(rec.Width), FormatLength(rec.Thickness), std::to_string(rec.Qty), rec.Material,
                   FormatNumber(rec.CostPerKg), FormatLength(rec.LeftTrim), FormatLength(rec.RightTrim),
                   DateText(rec.Date, false), rec.Remarks});
    table.Print(out);
}

void PrintJson(std::ostream& out, const CsStockDb& db)
{
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const auto& rec : db.Records) {
        const std::string date = DateText(rec.Date, true);
        records.push_back({{"id", rec.Id},
                           {"type", rec.Type},
                           {"name", rec.Name},
                           {"length", rec.Length},
                           {"width", rec.Width},
                           {"thickness", rec.Thickness},
                           {"costPerKg", rec.CostPerKg},
                           {"qty", rec.Qty},
                           {"material", rec.Material},
                           {"remarks", rec.Remarks},
                           {"leftTrim", rec.LeftTrim},
                           {"rightTrim", rec.RightTrim},
                           {"date", date.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(date)}});
    }
    const nlohmann::ordered_json root = {
        {"format", "vellicor-stock"}, {"version", db.Version}, {"lastId", db.LastId}, {"records", records}};
    out << root.dump(2) << '\n';
}

} // namespace

namespace {

int ListInventory(Context& ctx, const StoreChoice& choice, bool json)
{
    CsStockDb db;
    std::string name;
    if (choice.uri.empty()) {
        if (!CompleteLeftBooking(choice.dataDir, ctx.messages))
            return kExitIo;
        // Listing changes nothing else: an absent inventory is an empty one.
        name = choice.dataDir + "/stock.db";
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::u8path(name), ec) && !db.Open(name, ctx.messages))
            return kExitIo;
    } else {
        const auto store = OpenChosenStore(ctx, choice);
        if (!store || store->ReadStock(db) != kInventoryDone)
            return kExitIo;
        name = store->StoreName();
    }
    if (json)
        PrintJson(ctx.out, db);
    else
        PrintTable(ctx.out, name, db);
    return kExitOk;
}

int InitStore(Context& ctx, const std::string& uri)
{
    PgInventoryStore store(uri, ctx.messages);
    const int version = store.InitSchema();
    if (version != kPgSchemaVersion)
        return kExitIo;
    ctx.out << "Inventory store " << store.StoreName() << ": schema " << version << '\n';
    return kExitOk;
}

// Export copies the database into the files, import the files into the database.
int Transfer(Context& ctx, const std::string& uri, const std::string& dataDir, bool exporting)
{
    PgInventoryStore database(uri, ctx.messages);
    if (!database.Open())
        return kExitIo;
    CsInventory files(dataDir, ctx.messages);
    IInventoryStore& from = exporting ? static_cast<IInventoryStore&>(database) : files;
    IInventoryStore& to = exporting ? static_cast<IInventoryStore&>(files) : database;
    if (CopyInventory(from, to) != kInventoryDone)
        return kExitIo;
    CsStockDb stock;
    std::vector<CsStockUsedRec> log;
    CsMateDb library;
    if (to.ReadStock(stock) != kInventoryDone || to.ReadStockUsed(log) != kInventoryDone
        || to.ReadMaterialLibrary(library) != kInventoryDone)
        return kExitIo;
    ctx.out << (exporting ? "Exported to " : "Imported into ") << to.StoreName() << ": " << stock.Records.size()
            << " stock records, " << log.size() << " log lines, " << library.Records.size() << " materials\n";
    return kExitOk;
}

} // namespace

int RunInventory(Context& ctx)
{
    std::optional<std::string> data;
    std::optional<std::string> store;
    bool json = false;
    std::string action;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--data" || a == "--store") {
            if (i + 1 >= ctx.args.size())
                return UsageError(ctx, "inventory", a + (a == "--data" ? " needs a directory" : " needs a URI"));
            (a == "--data" ? data : store) = ctx.args[++i];
        } else if (a == "--json") {
            json = true;
        } else if ((a == "list" || a == "init" || a == "export" || a == "import") && action.empty()) {
            action = a;
        } else {
            return UsageError(ctx, "inventory", "unexpected argument '" + a + "'");
        }
    }
    if (action.empty())
        return UsageError(ctx, "inventory", "inventory needs 'list', 'init', 'export' or 'import'");
    if (action == "list") {
        int status = kExitOk;
        const StoreChoice choice = ChooseStore(ctx, "inventory", data, store, status);
        return choice.valid ? ListInventory(ctx, choice, json) : status;
    }
    const std::optional<std::string> uri = store ? store : ctx.storeUri;
    if (!uri || !IsPostgresUri(*uri))
        return UsageError(ctx, "inventory", "inventory " + action + " needs --store postgresql://...");
    if (action == "init") {
        if (data)
            return UsageError(ctx, "inventory", "inventory init takes no --data");
        return InitStore(ctx, *uri);
    }
    if (!data)
        return UsageError(ctx, "inventory", "inventory " + action + " needs --data DIR");
    const std::string dataDir = CommandDataDir(ctx, data);
    if (dataDir.empty())
        return kExitIo;
    return Transfer(ctx, *uri, dataDir, action == "export");
}

} // namespace vellicor::cli
