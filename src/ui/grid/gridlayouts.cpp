#include "ui/grid/gridlayouts.h"

#include "platform/builtinstrings.h"
#include "ui/uitext.h"

namespace vellicor {
namespace {

const std::vector<CGridLayout>& Layouts()
{
    static const std::vector<CGridLayout> layouts{
        {"IDR_STOCK_OGL", 1,
         {{"Coil", 120}, {"Width", 70}, {"Qty", 50}, {"Material", 80}, {"Thk.", 60}, {"Wt/Coil", 70},
          {"Length/ Coil", 95}, {"Cost/ Kg", 70}, {"Used", 50}, {"Left Trim", 70}, {"Right Trim", 70},
          {"Remarks", 150}}},
        {"IDR_PART_OGL", 1,
         {{"Name", 90}, {"Length", 70}, {"Width", 70}, {"Rotation", 60}, {"Qty", 50}, {"Material", 80},
          {"Thk.", 60}, {"Priority", 60}, {"Remarks", 150}}},
        {"IDR_SLITS_OGL", 1,
         {{"Name", 110}, {"Width", 70}, {"Material", 80}, {"Thk.", 60}, {"Req. weight", 80}, {"Req. Length", 100},
          {"Priority", 60}, {"Position", 60}, {"Remarks", 150}}},
        {"IDR_CSV_FILE_DATA_GRID", 0, {}},
        {"IDR_CSV_COLINFO_OGL", 0, {{"Item", 110}, {"Import Column", 130}, {"Example", 90}, {"Default", 110}}},
        {"IDR_DB_STOCK_OGL", 0,
         {{"Id", 40}, {"Name", 90}, {"Type", 65}, {"Length", 70}, {"Width", 70}, {"Qty", 45}, {"Material", 75},
          {"Thk.", 55}, {"Cost/ Kg", 60}, {"Left Trim", 65}, {"Right Trim", 70}, {"Date", 155}, {"Sel", 40},
          {"Order No.", 80}, {"Remarks", 120}}},
        {"IDR_DB_MATE_OGL", 0,
         {{"Name", 160}, {"Code", 90}, {"Density [Kg/m3]", 100}, {"Cost/ Kg", 70}, {"Min Offcut Length", 110},
          {"Min Offcut Width", 110}}},
        {"IDR_RES_PAT_OGL", 1,
         {{"Name", 110}, {"Width", 60}, {"Material", 70}, {"Thk.", 50}, {"Used  Wt", 80}, {"Rest Width", 70},
          {"Details [Slit widths]", 260}, {"Pattern Length", 100}, {"Pattern Utl. %", 90}, {"Part Utl.", 70},
          {"Filler Utl.", 70}, {"PatIdx", 40}}},
        {"IDR_RES_PART_OGL", 1, {{"Parts", 110}, {"Required Qty or Len", 130}, {"Overproduced Qty or Len", 160}}},
        {"IDR_PAT_EDIT_OGL", 1,
         {{"Type", 70}, {"Part / Slit", 120}, {"Length Produced", 110}, {"Weight Produced", 110}, {"Width", 90}}},
    };
    return layouts;
}

} // namespace

const CGridLayout* FindGridLayout(const QString& name)
{
    for (const CGridLayout& layout : Layouts())
        if (name == QLatin1String(layout.name))
            return &layout;
    return nullptr;
}

QString HeaderText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return trimmed;
    const std::string key = trimmed.toStdString();
    for (const BuiltinString& s : BuiltinStrings())
        if (key == s.text)
            return UiText(s.id);
    return trimmed;
}

} // namespace vellicor
