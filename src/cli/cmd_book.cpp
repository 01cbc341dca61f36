#include "cli/commandstore.h"
#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/texttable.h"
#include "inventory/booking.h"
#include "inventory/bookingkey.h"
#include "model/vellicordoc.h"
#include "units/units.h"

#include <optional>
#include <ostream>

namespace vellicor::cli {
namespace {

constexpr int kMsgNoResult = 176;
constexpr int kMsgAlreadyUpdated = 263;

void PrintBooking(std::ostream& out, const BookingLists& lists)
{
    out << "Stock used (" << lists.UsedStock.size() << ")\n";
    if (!lists.UsedStock.empty()) {
        TextTable table({"Id", "Qty", "Material", "Thickness", "Length", "Width", "Remarks"});
        for (const auto& rec : lists.UsedStock)
            table.Add({std::to_string(rec.Id), std::to_string(rec.Qty), rec.Material, FormatLength(rec.Thickness),
                       FormatLength(rec.Length), FormatLength(rec.Width), rec.Remarks});
        table.Print(out);
    }
    out << "\nOffcuts added (" << lists.Offcuts.size() << ")\n";
    if (!lists.Offcuts.empty()) {
        TextTable table({"Id", "Name", "Qty", "Material", "Thickness", "Length", "Width"});
        for (const auto& rec : lists.Offcuts)
            table.Add({std::to_string(rec.Id), rec.Name, std::to_string(rec.Qty), rec.Material,
                       FormatLength(rec.Thickness), FormatLength(rec.Length), FormatLength(rec.Width)});
        table.Print(out);
    }
}

} // namespace

int RunBook(Context& ctx)
{
    std::string in;
    std::optional<std::string> data;
    std::optional<std::string> store;
    std::optional<std::string> order;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--data" || a == "--order" || a == "--store") {
            if (i + 1 >= ctx.args.size())
                return UsageError(ctx, "book",
                                  a + (a == "--data"    ? " needs a directory"
                                       : a == "--store" ? " needs a URI"
                                                        : " needs an order number"));
            (a == "--data" ? data : a == "--store" ? store : order) = ctx.args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(ctx, "book", "unknown option '" + a + "'");
        } else if (in.empty()) {
            in = a;
        } else {
            return UsageError(ctx, "book", "book takes one job");
        }
    }
    if (in.empty())
        return UsageError(ctx, "book", "book needs IN");
    const auto format = JobFormatOf(in);
    if (!format)
        return UsageError(ctx, "book", "'" + in + "' is neither a .vcj nor a .json job");

    const auto doc = ReadJob(ctx, in, *format);
    if (!doc)
        return kExitIo;
    int status = kExitOk;
    const StoreChoice choice = ChooseStore(ctx, "book", data, store, status);
    if (!choice.valid)
        return status;
    if (order)
        doc->OrderNo = *order;
    switch (CheckInventoryUpdate(*doc, ctx.messages)) {
    case BookingCheck::Proceed:
        break;
    case BookingCheck::Refused:
        return kExitNoResult;
    case BookingCheck::NoResult:
        ctx.messages.Tell(kMsgNoResult);
        return kExitNoResult;
    }

    const auto inventory = OpenChosenStore(ctx, choice);
    if (!inventory)
        return kExitIo;
    BookingLists lists = FillLists(*doc);
    StockBooking booking{BookingKey(*doc), doc->OrderNo, lists.UsedStock, lists.Offcuts};
    const BookingOutcome outcome = inventory->Book(booking);
    if (outcome == BookingOutcome::Failed)
        return kExitIo;
    // Booked now or before: the job is flagged as its booking is in the inventory.
    doc->InventoryUpdated = 1;
    doc->SetModifiedFlag(true);
    if (outcome == BookingOutcome::AlreadyBooked)
        ctx.messages.Tell(kMsgAlreadyUpdated);
    if (!WriteJob(ctx, *doc, in, *format))
        return kExitIo;
    if (outcome == BookingOutcome::AlreadyBooked)
        return kExitNoResult;
    lists.Offcuts = booking.Offcuts;
    PrintBooking(ctx.out, lists);
    return kExitOk;
}

} // namespace vellicor::cli
