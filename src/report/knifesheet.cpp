#include "report/knifesheet.h"

#include "model/coil.h"
#include "model/knifepositions.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "report/reportcontent.h"
#include "units/numtext.h"
#include "units/units.h"

namespace vellicor {
namespace {

std::string Text(int id)
{
    return Strings().Text(id);
}

// Two label and value pairs a row, so that the knives below get most of the page.
ReportTable CoilTable(const CLayout& layout, const KnifeSetting& knives, int number, int count)
{
    const CCoil& coil = *layout.Coil;
    ReportTable table{Strings().Format(ids::KnifeSheetHeading, {std::to_string(number), std::to_string(count)}),
                      {{Text(ids::KnifeSheetCoil), 4, 'l'},
                       {coil.Name, 5, 'l'},
                       {Text(ids::KnifeSheetMaterial), 4, 'l'},
                       {coil.Material, 5, 'l'}},
                      {},
                      true};
    auto add = [&](int label1, std::string value1, int label2, std::string value2) {
        table.Rows.push_back({{Text(label1), std::move(value1), Text(label2), std::move(value2)}});
    };
    add(ids::KnifeSheetWidth, FormatLength(coil.Width), ids::KnifeSheetThickness, FormatLength(coil.Thickness));
    add(ids::KnifeSheetLeftTrim, FormatLength(coil.LeftTrim), ids::KnifeSheetRightTrim, FormatLength(coil.RightTrim));
    add(ids::KnifeSheetKnifeCount, std::to_string(knives.Positions.size()), ids::KnifeSheetRest,
        FormatLength(knives.Rest));
    add(ids::KnifeSheetWeight, FormatNumber(layout.Weight, 2), ids::KnifeSheetLength, FormatLength(layout.UsedLength()));
    return table;
}

// A row per knife; the strip that follows it shares its row, so the last knife has none.
ReportTable PositionTable(const CLayout& layout, const KnifeSetting& knives)
{
    ReportTable table{Text(ids::KnifeSheetPositions),
                      {{Text(ids::KnifeSheetKnife), 2, 'r'},
                       {Text(ids::KnifeSheetPosition), 3, 'r'},
                       {Text(ids::KnifeSheetStrip), 3, 'r'},
                       {Text(ids::KnifeSheetPart), 4, 'l'}},
                      {}};
    for (std::size_t k = 0; k < knives.Positions.size(); ++k) {
        const bool strip = k < knives.Strips.size();
        table.Rows.push_back({{std::to_string(k + 1), FormatLength(knives.Positions[k]),
                               strip ? FormatLength(knives.Strips[k]) : std::string(),
                               strip ? layout.SlitPositions[k]->PartName() : std::string()}});
    }
    return table;
}

} // namespace

ReportContent DescribeKnifeSheet(const CVellicorDoc& doc)
{
    ReportContent sheet;
    sheet.LargeType = true;
    const CLayoutList& layouts = doc.GetLayouts();
    int number = 0;
    for (const auto& layout : layouts) {
        const KnifeSetting knives = KnifePositions(*layout, *layout->Coil);
        sheet.Tables.push_back(CoilTable(*layout, knives, ++number, layouts.GetCount()));
        sheet.Tables.push_back(PositionTable(*layout, knives));
    }
    return sheet;
}

} // namespace vellicor
