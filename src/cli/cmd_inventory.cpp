#include "cli/context.h"
#include "cli/datadir.h"
#include "cli/texttable.h"
#include "inventory/inventorylock.h"
#include "inventory/oledate.h"
#include "inventory/stockdb.h"
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

void PrintTable(std::ostream& out, const std::string& path, const CsStockDb& db)
{
    out << "Stock inventory: " << path << "\nLast id: " << db.LastId << "\n\nRecords (" << db.Records.size() << ")\n";
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

int RunInventory(Context& ctx)
{
    std::optional<std::string> data;
    bool json = false;
    bool list = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--data") {
            if (i + 1 >= ctx.args.size())
                return UsageError(ctx, "inventory", "--data needs a directory");
            data = ctx.args[++i];
        } else if (a == "--json") {
            json = true;
        } else if (a == "list" && !list) {
            list = true;
        } else {
            return UsageError(ctx, "inventory", "unexpected argument '" + a + "'");
        }
    }
    if (!list)
        return UsageError(ctx, "inventory", "inventory needs 'list'");
    const std::string dataDir = CommandDataDir(ctx, data);
    if (dataDir.empty())
        return kExitIo;

    if (!CompleteLeftBooking(dataDir, ctx.messages))
        return kExitIo;
    // Listing changes nothing else: an absent inventory is an empty one.
    CsStockDb db;
    const std::string path = dataDir + "/stock.db";
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::u8path(path), ec) && !db.Open(path, ctx.messages))
        return kExitIo;
    if (json)
        PrintJson(ctx.out, db);
    else
        PrintTable(ctx.out, path, db);
    return kExitOk;
}

} // namespace vellicor::cli
