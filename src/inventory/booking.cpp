#include "inventory/booking.h"

#include "inventory/stockchanges.h"
#include "model/stockconsumption.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "units/numtext.h"

#include <algorithm>

namespace vellicor {
namespace {

constexpr int kMsgSaveFirst = 175;
constexpr int kMsgAlreadyUpdated = 263;
constexpr int kMsgOrderNoMissing = 268;

// Remarks the stock page adds to a coil taken from the inventory start with this.
constexpr std::string_view kStockNameMark = " [SName:";

// The number a coil's name starts with; 0 when it does not start with a digit.
std::int32_t StockIdOf(const std::string& name)
{
    return !name.empty() && name[0] >= '0' && name[0] <= '9' ? ParseInt(name) : 0;
}

std::string RemarksBeforeStockName(const std::string& remarks)
{
    return remarks.substr(0, remarks.find(kStockNameMark));
}

} // namespace

BookingCheck CheckInventoryUpdate(const CVellicorDoc& doc, IUserMessages& messages)
{
    if (doc.OrderNo.empty() && messages.Ask(kMsgOrderNoMissing, MessageButtons::YesNo) != MessageAnswer::Yes)
        return BookingCheck::Refused;
    if (doc.GetPathName().empty()) {
        messages.Tell(kMsgSaveFirst);
        return BookingCheck::Refused;
    }
    if (doc.InventoryUpdated != 0) {
        messages.Tell(kMsgAlreadyUpdated);
        return BookingCheck::Refused;
    }
    if (!doc.HasResults())
        return BookingCheck::NoResult;
    // The nominal thickness would reach the stock records and the stocks-used log.
    for (const auto& layout : doc.GetLayouts()) {
        if (layout->Coil && layout->Coil->RealThickness() == kNominalThickness) {
            messages.Tell(ids::ThicknessNotKnown, {layout->Coil->Name});
            return BookingCheck::Refused;
        }
    }
    return BookingCheck::Proceed;
}

BookingLists FillLists(const CVellicorDoc& doc)
{
    CoilList used;
    CoilList offcuts;
    doc.BuildStockConsumption(used, offcuts);

    BookingLists lists;
    for (const auto& c : used) {
        CsStockRec& rec = lists.UsedStock.emplace_back();
        rec.Type = CsStockRec::Prime;
        rec.Id = StockIdOf(c->Name);
        rec.Material = c->Material;
        rec.Thickness = c->RealThickness();
        rec.Qty = SaturatedQty(c->Qty);
        rec.Length = c->LengthPerCoil();
        rec.Width = c->Width;
        rec.CostPerKg = c->CostPerKg;
        rec.Remarks = RemarksBeforeStockName(c->Remarks);
    }
    for (const auto& c : offcuts) {
        CsStockRec& rec = lists.Offcuts.emplace_back();
        rec.Type = CsStockRec::Offcut;
        rec.Name = c->Name;
        rec.Length = c->LengthPerCoil();
        rec.Width = c->Width;
        rec.Thickness = c->RealThickness();
        rec.Qty = SaturatedQty(c->Qty);
        rec.Material = c->Material;
        rec.CostPerKg = c->CostPerKg;
    }
    return lists;
}

std::vector<CsStockUsedRec> MergeUsedById(const std::vector<CsStockRec>& usedStock, const std::string& orderNo)
{
    std::vector<CsStockUsedRec> merged;
    for (const auto& rec : usedStock) {
        const auto same = std::find_if(merged.begin(), merged.end(), [&](const CsStockUsedRec& m) { return m.Id == rec.Id; });
        if (same != merged.end()) {
            same->Qty = SaturatedQty(static_cast<long long>(same->Qty) + rec.Qty);
            continue;
        }
        CsStockUsedRec& entry = merged.emplace_back();
        entry.Id = rec.Id;
        entry.OrderNo = orderNo;
        entry.Qty = rec.Qty;
        entry.Date = rec.Date;
        entry.Material = rec.Material;
        entry.Length = rec.Length;
        entry.Width = rec.Width;
        entry.Thickness = rec.Thickness;
    }
    return merged;
}

} // namespace vellicor
