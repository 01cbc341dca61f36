#include "cli/jobtext.h"

#include "cli/terminaltext.h"
#include "cli/texttable.h"
#include "model/vellicordoc.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <ostream>
#include <string>
#include <vector>

namespace vellicor::cli {
namespace {

std::string Kg(double kg)
{
    return FormatNumber(kg) + " kg";
}

std::string Percent(double fraction)
{
    return FormatFixed(fraction * 100.0, 1) + "%";
}

std::string YesNo(int flag)
{
    return flag ? "yes" : "no";
}

void PrintRequirements(std::ostream& out, const char* title, const std::vector<std::unique_ptr<CCoilPart>>& items,
                       bool byLength)
{
    out << '\n' << title << " (" << items.size() << ")\n";
    if (items.empty())
        return;
    const int kind = items.front()->Kind;
    if (kind == KindPart) {
        TextTable table({"Name", "Material", "Thickness", "Length", "Width", "Pieces", "Rotation", "Priority", "Remarks"});
        for (const auto& p : items)
            table.Add({p->Name, p->Material, FormatLength(p->Thickness), FormatLength(p->Length), FormatLength(p->Width),
                       std::to_string(p->PieceCount()), YesNo(p->Rotation), std::to_string(p->Priority), p->Remarks});
        table.Print(out);
    } else if (kind == KindFiller) {
        TextTable table({"Name", "Material", "Thickness", "Width", "Position", "Remarks"});
        for (const auto& p : items)
            table.Add({p->Name, p->Material, FormatLength(p->Thickness), FormatLength(p->Width),
                       std::to_string(p->Priority), p->Remarks});
        table.Print(out);
    } else {
        TextTable table({"Name", "Material", "Thickness", "Width", byLength ? "Length" : "Weight", "Priority", "Remarks"});
        for (const auto& p : items)
            table.Add({p->Name, p->Material, FormatLength(p->Thickness), FormatLength(p->Width),
                       byLength ? FormatLength(p->RequiredLength()) : Kg(p->RequiredWeight()),
                       std::to_string(p->Priority), p->Remarks});
        table.Print(out);
    }
}

} // namespace

void PrintJobInputs(std::ostream& out, const CVellicorDoc& doc)
{
    out << "Order no: " << TerminalText(doc.OrderNo) << '\n'
        << "Quantities by length: " << YesNo(doc.QtyByLength) << '\n'
        << "Inventory updated: " << YesNo(doc.InventoryUpdated) << '\n';

    out << "\nStock coils (" << doc.Coils.size() << ")\n";
    if (!doc.Coils.empty()) {
        TextTable table({"Name", "Material", "Thickness", "Width", "Weight/coil", "Qty", "Cost/kg", "Left trim",
                         "Right trim", "Remarks"});
        for (const auto& c : doc.Coils)
            table.Add({c->Name, c->Material, FormatLength(c->Thickness), FormatLength(c->Width), Kg(c->WeightPerCoil),
                       std::to_string(c->Qty), FormatNumber(c->CostPerKg), FormatLength(c->LeftTrim),
                       FormatLength(c->RightTrim), c->Remarks});
        table.Print(out);
    }
    PrintRequirements(out, "Parts", doc.Parts, doc.QtyByLength != 0);
    PrintRequirements(out, "Slits", doc.Slits, doc.QtyByLength != 0);
    PrintRequirements(out, "Fillers", doc.Fillers, doc.QtyByLength != 0);

    const CSettings& s = doc.Settings;
    out << "\nCut settings\n";
    TextTable settings({"Max Knives", std::to_string(s.MaxKnives)});
    settings.Add({"Max Parts allowed", std::to_string(s.MaxDifSlits)});
    settings.Add({"Kerf", FormatLength(s.Kerf)});
    settings.Add({"Min Offcut Width", FormatLength(s.MinOffCut)});
    settings.Add({"Min Pattern Weight", Kg(s.MinPatWt)});
    settings.Add({"Coil Changing Cost", FormatNumber(s.CoilChangCost)});
    settings.Add({"Knife Changing Cost", FormatNumber(s.MinKnifeSettCost)});
    settings.Add({"Min Cut Width", FormatLength(s.MinCutWidth)});
    settings.Print(out);
}

void PrintJobResult(std::ostream& out, const CVellicorDoc& doc)
{
    const CLayoutList& layouts = doc.Layouts;
    if (layouts.IsEmpty()) {
        out << "\nNo result.\n";
        return;
    }
    out << "\nLayouts (" << layouts.GetCount() << ")\n";
    TextTable table({"#", "Coil", "Weight", "Used length", "Rest width", "Utilisation", "Slit widths"});
    int number = 0;
    for (const auto& layout : layouts)
        table.Add({std::to_string(++number), layout->Coil->Name, Kg(layout->Weight), FormatLength(layout->UsedLength()),
                   FormatLength(layout->RestWidth()), Percent(layout->OverallUtilisation()),
                   Trim(layout->WidthsText())});
    table.Print(out);

    out << "\nFigures\n";
    TextTable figures({"Total weight", Kg(layouts.TotalWeight())});
    figures.Add({"Total used length", FormatLength(layouts.TotalUsedLength())});
    figures.Add({"Filler weight", Kg(layouts.TotalFillerWeight())});
    figures.Add({"Parts produced", Kg(doc.PartsProducedWeight())});
    figures.Add({"Slits produced", Kg(doc.SlitsProducedWeight())});
    figures.Add({"Over produced", Kg(doc.OverProducedWeight())});
    figures.Add({"Under produced", Kg(doc.UnderProducedWeight())});
    figures.Add({"Part utilisation", Percent(doc.PartUtilisation())});
    figures.Add({"Overall utilisation", Percent(doc.OverallUtilisation())});
    if (const auto above = doc.AboveLeastPossible()) {
        figures.Add({"Least possible coil weight", Kg(*doc.LeastCoilWeight)});
        figures.Add({"Above least possible", FormatFixed(*above * 100.0, 2) + "%"});
    }
    figures.Print(out);

    std::vector<std::string> names;
    std::vector<std::string> sizes;
    std::vector<double> required;
    std::vector<double> over;
    doc.BuildProductionTable(names, sizes, required, over);
    if (names.empty())
        return;
    const bool byLength = doc.QtyByLength != 0;
    out << "\nProduction\n";
    TextTable production({"Name", "Size", "Required", "Over (negative: short)"});
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool isPart = i < doc.Parts.size();
        auto amount = [&](double v) {
            if (!byLength)
                return Kg(v);
            return isPart ? FormatNumber(v) + " pcs" : FormatNumber(v);
        };
        production.Add({names[i], sizes[i], amount(required[i]), amount(over[i])});
    }
    production.Print(out);
}

} // namespace vellicor::cli
