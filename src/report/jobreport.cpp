#include "report/jobreport.h"

#include "model/vellicordoc.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/safefile.h"
#include "platform/shell.h"
#include "platform/stringtable.h"
#include "platform/usermessages.h"
#include "report/rtfwriter.h"
#include "units/numtext.h"
#include "units/units.h"

#include <filesystem>
#include <vector>

namespace vellicor {
namespace {

constexpr int kMsgSaveFirst = 175;
constexpr int kMsgNoResult = 176;
constexpr int kMsgReportOpen = 178;
constexpr int kReportTitle = 179;

using Row = std::vector<std::string>;

std::string Int(int value)
{
    return std::to_string(value);
}

std::string Percent(double fraction, int decimals)
{
    return FormatNumber(fraction * 100, decimals);
}

// User data is escaped; everything else in a cell is the system's own text.
std::string User(const std::string& text)
{
    return EscapeRtfText(text);
}

void Table(CRtfWriter& rtf, const char* heading, std::span<const RtfColumn> columns, const std::vector<Row>& rows)
{
    rtf.WriteSectionHeading(heading);
    rtf.BeginTable(columns);
    for (const auto& row : rows)
        rtf.WriteRow(row);
    rtf.EndTable();
}

void WriteResultSummary(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kColumns[] = {{"Name ", 20, 'l'}, {"Values", 20, 'l'}};
    const CLayoutList& layouts = doc.GetLayouts();
    struct Line {
        const char* label;
        std::string value;
        bool endTable;
    };
    std::vector<Line> lines;
    if (doc.QtyByLength) {
        lines = {
            {"Used Stock Length", FormatLength(layouts.TotalUsedLength()), true},
            {"Overall Utilization (%)", Percent(doc.OverallUtilisation(), 1), false},
            {"Part Utilization (%)", Percent(doc.PartUtilisation(), 1), false},
            {"Total No Of Layouts", Int(layouts.GetCount()), true},
        };
    } else {
        lines = {
            {"Stock Weight", FormatNumber(layouts.TotalWeight(), 1), true},
            {"Part Weight", FormatNumber(doc.PartsProducedWeight() + doc.SlitsProducedWeight(), 1), false},
            {"Overall Utilization", Percent(doc.OverallUtilisation(), 1), false},
            {"Part Utilization", Percent(doc.PartUtilisation(), 1), false},
            {"Filler Part Weight", FormatNumber(layouts.TotalFillerWeight(), 1), false},
            {"Overproduced Part Weight", FormatNumber(doc.OverProducedWeight(), 1), true},
            {"Under Produced Part Weight", FormatNumber(doc.UnderProducedWeight(), 1), true},
            {"Total No Of Layouts", Int(layouts.GetCount()), true},
        };
    }
    // Known only right after an optimisation: the job file does not keep it.
    if (const auto above = doc.AboveLeastPossible()) {
        lines.push_back({"Least Possible Coil Weight", FormatNumber(*doc.LeastCoilWeight, 1), false});
        lines.push_back({"Above Least Possible (%)", Percent(*above, 2), true});
    }
    rtf.WriteSectionHeading("Result Summary");
    rtf.BeginTable(kColumns);
    for (const auto& line : lines) {
        rtf.WriteRow(Row{line.label, line.value});
        if (line.endTable)
            rtf.EndTable();
    }
}

void WriteCoilInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kLength[] = {
        {"Name", 98, 'l'},       {"Width", 59, 'r'},    {"Qty", 38, 'r'},      {"Matl", 69, 'r'},
        {"Length/Coil", 80, 'l'}, {"Lt. Trim", 40, 'r'}, {"Rt. Trim", 40, 'r'}, {"Remarks", 75, 'l'},
    };
    static constexpr RtfColumn kWeight[] = {
        {"Name", 98, 'l'},    {"Width", 59, 'r'},    {"Qty", 38, 'r'},      {"Matl", 69, 'r'},     {"Thk.", 44, 'l'},
        {"Wt/Coil", 64, 'l'}, {"Cost/Kg", 68, 'r'}, {"Lt. Trim", 50, 'r'}, {"Rt. Trim", 50, 'r'}, {"Remarks", 75, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& c : doc.Coils) {
        if (doc.QtyByLength)
            rows.push_back({User(c->Name), FormatLength(c->Width), Int(c->Qty), User(c->Material),
                            FormatLength(c->LengthPerCoil()), FormatLength(c->LeftTrim), FormatLength(c->RightTrim),
                            User(c->Remarks)});
        else
            rows.push_back({User(c->Name), FormatLength(c->Width), Int(c->Qty), User(c->Material),
                            FormatLength(c->Thickness), FormatNumber(c->WeightPerCoil, 2), FormatNumber(c->CostPerKg, 2),
                            FormatLength(c->LeftTrim), FormatLength(c->RightTrim), User(c->Remarks)});
    }
    if (doc.QtyByLength)
        Table(rtf, "Coil Information", kLength, rows);
    else
        Table(rtf, "Coil Information", kWeight, rows);
}

void WritePartInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kLength[] = {
        {"Name", 120, 'l'}, {"Length", 63, 'r'},   {"Width", 63, 'r'},
        {"Qty", 44, 'r'},   {"Material", 81, 'r'}, {"Remarks", 188, 'l'},
    };
    static constexpr RtfColumn kWeight[] = {
        {"Name", 120, 'l'}, {"Length", 63, 'r'},   {"Width", 63, 'r'},    {"Qty", 44, 'r'},
        {"Thick", 40, 'r'}, {"Material", 81, 'r'}, {"Remarks", 188, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& p : doc.Parts) {
        if (doc.QtyByLength)
            rows.push_back({User(p->Name), FormatLength(p->Length), FormatLength(p->Width), Int(p->PieceCount()),
                            User(p->Material), User(p->Remarks)});
        else
            rows.push_back({User(p->Name), FormatLength(p->Length), FormatLength(p->Width), Int(p->PieceCount()),
                            FormatLength(p->Thickness), User(p->Material), User(p->Remarks)});
    }
    if (doc.QtyByLength)
        Table(rtf, "Part Information", kLength, rows);
    else
        Table(rtf, "Part Information", kWeight, rows);
}

void WriteSlitInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kLength[] = {
        {"Name", 120, 'l'}, {"Width", 63, 'r'}, {"Req. Length.", 68, 'r'}, {"Matl", 75, 'r'}, {"Remarks", 119, 'l'},
    };
    static constexpr RtfColumn kWeight[] = {
        {"Name", 120, 'l'}, {"Width", 63, 'r'}, {"Req. Wt.", 68, 'r'},    {"Matl", 75, 'r'},
        {"Thk", 44, 'l'},   {"Prty", 44, 'r'},  {"Remarks", 119, 'l'},
    };
    if (doc.Slits.empty())
        return;
    std::vector<Row> rows;
    for (const auto& s : doc.Slits) {
        if (doc.QtyByLength)
            rows.push_back({User(s->Name), FormatLength(s->Width), FormatNumber(s->RequiredLength(), 1),
                            User(s->Material), User(s->Remarks)});
        else
            rows.push_back({User(s->Name), FormatLength(s->Width), FormatNumber(s->RequiredWeight(), 1),
                            User(s->Material), FormatLength(s->Thickness), Int(s->Priority), User(s->Remarks)});
    }
    if (doc.QtyByLength)
        Table(rtf, "Slit Information", kLength, rows);
    else
        Table(rtf, "Slit Information", kWeight, rows);
}

void WriteFillerInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kColumns[] = {
        {"Name", 120, 'l'}, {"Width", 84, 'r'},    {"Material", 84, 'r'},
        {"Thk.", 45, 'l'},  {"Position", 84, 'r'}, {"Remarks", 112, 'l'},
    };
    if (doc.Fillers.empty())
        return;
    std::vector<Row> rows;
    for (const auto& f : doc.Fillers)
        rows.push_back({User(f->Name), FormatLength(f->Width), User(f->Material), FormatLength(f->Thickness),
                        Int(f->Priority), User(f->Remarks)});
    Table(rtf, "Filler Information", kColumns, rows);
}

void WriteSettingsInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kColumns[] = {{"Description", 20, 'l'}, {"Value", 20, 'l'}};
    const CSettings& s = doc.GetSettings();
    std::vector<Row> rows;
    const bool weight = !doc.QtyByLength;
    if (weight)
        rows.push_back({"Max Knives", Int(s.MaxKnives)});
    rows.push_back({"Kerf", FormatLength(s.Kerf)});
    if (weight) {
        rows.push_back({"Knife Changing Cost", FormatNumber(s.MinKnifeSettCost, 2)});
        rows.push_back({"Min Pattern Weight", FormatNumber(s.MinPatWt, 2)});
        rows.push_back({"Coil Changing Cost", FormatNumber(s.CoilChangCost, 2)});
    }
    rows.push_back({"Min Offcut Width", FormatNumber(s.MinOffCut, 2)});
    if (weight) {
        rows.push_back({"Max Parts allowed", FormatNumber(s.MaxDifSlits, 2)});
        rows.push_back({"Min Cut Width", FormatNumber(s.MinCutWidth, 2)});
    }
    Table(rtf, "Settings Information", kColumns, rows);
}

double UsedLengthOfCoil(const CVellicorDoc& doc, const std::string& coilName)
{
    double sum = 0.0;
    for (const auto& layout : doc.GetLayouts())
        if (layout->Coil->Name == coilName)
            sum += layout->UsedLength();
    return sum;
}

void WriteCoilUsedInformation(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kLength[] = {
        {"Name", 98, 'l'},        {"Width", 50, 'r'},       {"Matl", 60, 'r'},         {"Avl Qty", 38, 'r'},
        {"Length/Coil", 74, 'l'}, {"Avl. Length", 64, 'l'}, {"Used. Length", 64, 'l'},
    };
    static constexpr RtfColumn kWeight[] = {
        {"Name", 98, 'l'},    {"Width", 59, 'r'},   {"Matl", 69, 'r'},    {"Thk.", 44, 'l'},
        {"Avl Qty", 38, 'r'}, {"Wt/Coil", 64, 'l'}, {"Avl. Wt", 64, 'l'}, {"Used Wt", 64, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& c : doc.Coils) {
        const double used = doc.QtyByLength ? UsedLengthOfCoil(doc, c->Name) : doc.CoilWeightUsed(c->Name);
        if (used < 1.0)
            continue;
        if (doc.QtyByLength)
            rows.push_back({User(c->Name), FormatLength(c->Width), User(c->Material), FormatNumber(c->Qty, 0),
                            FormatLength(c->LengthPerCoil()), FormatLength(c->Qty * c->LengthPerCoil()),
                            FormatLength(used)});
        else
            rows.push_back({User(c->Name), FormatLength(c->Width), User(c->Material), FormatLength(c->Thickness),
                            FormatNumber(c->Qty, 0), FormatNumber(c->WeightPerCoil, 2),
                            FormatNumber(c->TotalWeight(), 2), FormatNumber(used, 2)});
    }
    if (doc.QtyByLength)
        Table(rtf, "Coil Used Information", kLength, rows);
    else
        Table(rtf, "Coil Used Information", kWeight, rows);
}

void WriteSummaryOfLayouts(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kLength[] = {
        {"No.", 39, 'l'},        {"Name", 63, 'l'},       {"Width", 56, 'r'},   {"Mtl", 44, 'r'},
        {"Used Len", 56, 'l'},   {"Rest Width", 56, 'r'}, {"Details", 119, 'l'}, {"Ovr Utl.", 44, 'l'},
    };
    static constexpr RtfColumn kWeight[] = {
        {"No.", 39, 'l'},      {"Name", 63, 'l'},       {"Width", 56, 'r'},     {"Mtl", 44, 'r'},
        {"Thk.", 44, 'l'},     {"Used Wt", 56, 'l'},    {"Rest Width", 56, 'r'}, {"Details", 119, 'l'},
        {"Ovr Utl.", 44, 'l'}, {"Part Utl.", 44, 'l'}, {"Filler Utl", 48, 'l'},
    };
    std::vector<Row> rows;
    int k = 0;
    for (const auto& layout : doc.GetLayouts()) {
        const CCoil& c = *layout->Coil;
        ++k;
        if (doc.QtyByLength)
            rows.push_back({Int(k), User(c.Name), FormatLength(c.Width), User(c.Material),
                            FormatLength(layout->UsedLength()), FormatLength(layout->RestWidth()),
                            User(layout->DetailText()), Percent(layout->OverallUtilisation(), 1)});
        else
            rows.push_back({Int(k), User(c.Name), FormatLength(c.Width), User(c.Material), FormatLength(c.Thickness),
                            FormatNumber(layout->Weight, 2), FormatLength(layout->RestWidth()),
                            User(layout->DetailText()), Percent(layout->OverallUtilisation(), 1),
                            Percent(layout->PartUtilisation(), 1), Percent(layout->FillerUtilisation(), 1)});
    }
    if (doc.QtyByLength)
        Table(rtf, "Summary Of Layouts", kLength, rows);
    else
        Table(rtf, "Summary Of Layouts", kWeight, rows);
}

// Names with their slit widths, each followed by ", ".
std::string SlitList(const CLayout& layout)
{
    std::string text;
    for (const auto& slit : layout.SlitPositions)
        text += slit->PartName() + "[" + FormatLength(slit->SlitWidth()) + "], ";
    return text;
}

void WriteLayouts(CRtfWriter& rtf, const CVellicorDoc& doc)
{
    static constexpr RtfColumn kColumns[] = {{" ", 100, 'l'}};
    const CLayoutList& layouts = doc.GetLayouts();
    const std::string count = Int(layouts.GetCount());
    int k = 0;
    for (const auto& layout : layouts) {
        const CCoil& c = *layout->Coil;
        std::vector<Row> rows;
        if (doc.QtyByLength) {
            rows.push_back({"Coil :" + User(c.Name) + ",    Width :" + FormatLength(c.Width) + ",     Mate :"
                            + User(c.Material) + ",        Length :" + FormatLength(layout->UsedLength())
                            + ",        Utl :" + Percent(layout->OverallUtilisation(), 2)});
            rows.push_back({User(layout->DetailText())});
        } else {
            rows.push_back({"Coil :" + User(c.Name) + ",    Width :" + FormatNumber(c.Width, 2) + ",     Mate :"
                            + User(c.Material) + ",        Thick :" + FormatNumber(c.Thickness, 2)
                            + ",    Weight :" + FormatNumber(layout->Weight, 2)
                            + ",        Utl :" + Percent(layout->OverallUtilisation(), 2)});
            rows.push_back({User(SlitList(*layout))});
        }
        const std::string heading = "Layout " + Int(++k) + " of " + count;
        Table(rtf, heading.c_str(), kColumns, rows);
    }
}

} // namespace

std::string ReportPathFor(const std::string& jobPath)
{
    const auto dot = jobPath.rfind('.');
    return (dot == std::string::npos ? jobPath : jobPath.substr(0, dot)) + ".rtf";
}

std::string HeaderFilePath(const IPaths& paths)
{
    return paths.DataDir() + static_cast<char>(std::filesystem::path::preferred_separator) + "Header.rtf";
}

bool WriteReport(const CVellicorDoc& doc, const std::string& path, const std::string& headerPath,
                 const IPrinterMetrics& printer, IUserMessages& messages)
{
    if (!doc.HasResults())
        return false;
    CRtfWriter rtf(path, &printer);
    if (!rtf.Open()) {
        messages.Tell(kMsgReportOpen, {}, MessageIcon::Question);
        return false;
    }
    rtf.WriteProlog(headerPath);
    rtf.WriteTitle(Strings().Text(kReportTitle));
    WriteResultSummary(rtf, doc);
    WriteCoilInformation(rtf, doc);
    WritePartInformation(rtf, doc);
    WriteSlitInformation(rtf, doc);
    WriteFillerInformation(rtf, doc);
    WriteSettingsInformation(rtf, doc);
    WriteCoilUsedInformation(rtf, doc);
    WriteSummaryOfLayouts(rtf, doc);
    WriteLayouts(rtf, doc);
    if (!rtf.Close()) {
        messages.Tell(kMsgReportOpen, {}, MessageIcon::Question);
        return false;
    }
    return true;
}

bool WriteSummary(const CVellicorDoc& doc, const std::string& path, const IPrinterMetrics& printer)
{
    if (!doc.HasResults())
        return false;
    CRtfWriter rtf(path, &printer);
    if (!rtf.Open())
        return false;
    rtf.WriteProlog({});
    WriteResultSummary(rtf, doc);
    return rtf.Close();
}

void ExportReport(const CVellicorDoc& doc, const ReportServices& services)
{
    if (doc.GetPathName().empty()) {
        services.messages.Tell(kMsgSaveFirst);
        return;
    }
    // Showing the previous report of this job here would pass an outdated plan off as the result.
    if (!doc.HasResults()) {
        services.messages.Tell(kMsgNoResult);
        return;
    }
    const std::string reportPath = ReportPathFor(doc.GetPathName());
    // When the file is held open, message 178 asks the user to close it; the old report is shown.
    WriteReport(doc, reportPath, HeaderFilePath(services.paths), services.printer, services.messages);
    services.shell.OpenDocument(reportPath);
}

bool CustomiseHeader(const IPaths& paths, IShell& shell)
{
    // A first-time user gets the built-in header to start from instead of "file not found".
    const std::string header = HeaderFilePath(paths);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(header), ec)) {
        std::string content(DefaultRtfProlog());
        content += "}";
        if (WriteFileAtomically(header, content) != FileError::None)
            return false;
    }
    return shell.OpenDocument(header);
}

} // namespace vellicor
