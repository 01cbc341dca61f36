#include "cli/commandstore.h"
#include "cli/context.h"
#include "cli/jobio.h"
#include "cli/texttable.h"
#include "inventory/booking.h"
#include "inventory/bookingkey.h"
#include "inventory/bookingplan.h"
#include "inventory/inventory.h"
#include "model/jobfile.h"
#include "model/jobjson.h"
#include "model/vellicordoc.h"
#include "platform/safefile.h"
#include "platform/usermessages.h"
#include "units/units.h"

#include <optional>
#include <ostream>

namespace vellicor::cli {
namespace {

constexpr int kMsgNoResult = 176;

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

    int status = kExitOk;
    const StoreChoice choice = ChooseStore(ctx, "book", data, store, status);
    if (!choice.valid)
        return status;
    // Opening the inventory completes a booking an interrupted run left, which may be this job's.
    const auto inventory = OpenChosenStore(ctx, choice);
    if (!inventory)
        return kExitIo;
    std::string loaded;
    if (const int error = OpenErrorId(ReadWholeFile(in, loaded)); error != 0) {
        ctx.messages.Tell(error, {in}, MessageIcon::Error);
        return kExitIo;
    }
    const auto doc = ReadJob(ctx, in, *format);
    if (!doc)
        return kExitIo;
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

    BookingLists lists = FillLists(*doc);
    BookingRequest request{doc->OrderNo, lists.UsedStock, lists.Offcuts, in, {}, loaded, BookingKey(*doc)};
    doc->InventoryUpdated = 1;
    request.JobBytes = *format == JobFormat::Binary ? JobFileBytes(*doc) : JobToJson(*doc);
    switch (inventory->Book(request)) {
    case kInventoryDone:
        lists.Offcuts = request.Offcuts;
        PrintBooking(ctx.out, lists);
        return kExitOk;
    case kInventoryCancelled:
    case kInventoryAlreadyBooked:
        return kExitNoResult;
    default:
        return kExitIo;
    }
}

} // namespace vellicor::cli
