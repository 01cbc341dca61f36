#include "report/jobreport.h"

#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/safefile.h"
#include "platform/shell.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/usermessages.h"
#include "report/reportcontent.h"
#include "report/reportrtf.h"
#include "report/rtfwriter.h"
#include "report/showwrittenfile.h"
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
using Columns = std::vector<ReportColumn>;

std::string Int(int value)
{
    return std::to_string(value);
}

std::string Percent(double fraction, int decimals)
{
    return FormatNumber(fraction * 100, decimals);
}

ReportTable Table(std::string heading, Columns columns, const std::vector<Row>& rows)
{
    ReportTable table{std::move(heading), std::move(columns), {}};
    for (const auto& row : rows)
        table.Rows.push_back({row});
    return table;
}

void DescribeResultSummary(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kColumns = {{"Name ", 20, 'l'}, {"Values", 20, 'l'}};
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
    ReportTable table{"Result Summary", kColumns, {}};
    for (const auto& line : lines)
        table.Rows.push_back({Row{line.label, line.value}, line.endTable});
    report.Tables.push_back(std::move(table));
}

void DescribeCoilInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kLength = {
        {"Name", 98, 'l'},       {"Width", 59, 'r'},    {"Qty", 38, 'r'},      {"Matl", 69, 'r'},
        {"Length/Coil", 80, 'l'}, {"Lt. Trim", 40, 'r'}, {"Rt. Trim", 40, 'r'}, {"Remarks", 75, 'l'},
    };
    static const Columns kWeight = {
        {"Name", 98, 'l'},    {"Width", 59, 'r'},    {"Qty", 38, 'r'},      {"Matl", 69, 'r'},     {"Thk.", 44, 'l'},
        {"Wt/Coil", 64, 'l'}, {"Cost/Kg", 68, 'r'}, {"Lt. Trim", 50, 'r'}, {"Rt. Trim", 50, 'r'}, {"Remarks", 75, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& c : doc.Coils) {
        if (doc.QtyByLength)
            rows.push_back({c->Name, FormatLength(c->Width), Int(c->Qty), c->Material,
                            FormatLength(c->LengthPerCoil()), FormatLength(c->LeftTrim), FormatLength(c->RightTrim),
                            c->Remarks});
        else
            rows.push_back({c->Name, FormatLength(c->Width), Int(c->Qty), c->Material,
                            FormatLength(c->Thickness), FormatNumber(c->WeightPerCoil, 2), FormatNumber(c->CostPerKg, 2),
                            FormatLength(c->LeftTrim), FormatLength(c->RightTrim), c->Remarks});
    }
    if (doc.QtyByLength)
        report.Tables.push_back(Table("Coil Information", kLength, rows));
    else
        report.Tables.push_back(Table("Coil Information", kWeight, rows));
}

void DescribePartInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kLength = {
        {"Name", 120, 'l'}, {"Length", 63, 'r'},   {"Width", 63, 'r'},
        {"Qty", 44, 'r'},   {"Material", 81, 'r'}, {"Remarks", 188, 'l'},
    };
    static const Columns kWeight = {
        {"Name", 120, 'l'}, {"Length", 63, 'r'},   {"Width", 63, 'r'},    {"Qty", 44, 'r'},
        {"Thick", 40, 'r'}, {"Material", 81, 'r'}, {"Remarks", 188, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& p : doc.Parts) {
        if (doc.QtyByLength)
            rows.push_back({p->Name, FormatLength(p->Length), FormatLength(p->Width), Int(p->PieceCount()),
                            p->Material, p->Remarks});
        else
            rows.push_back({p->Name, FormatLength(p->Length), FormatLength(p->Width), Int(p->PieceCount()),
                            FormatLength(p->Thickness), p->Material, p->Remarks});
    }
    if (doc.QtyByLength)
        report.Tables.push_back(Table("Part Information", kLength, rows));
    else
        report.Tables.push_back(Table("Part Information", kWeight, rows));
}

void DescribeSlitInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kLength = {
        {"Name", 120, 'l'}, {"Width", 63, 'r'}, {"Req. Length.", 68, 'r'}, {"Matl", 75, 'r'}, {"Remarks", 119, 'l'},
    };
    static const Columns kWeight = {
        {"Name", 120, 'l'}, {"Width", 63, 'r'}, {"Req. Wt.", 68, 'r'},    {"Matl", 75, 'r'},
        {"Thk", 44, 'l'},   {"Prty", 44, 'r'},  {"Remarks", 119, 'l'},
    };
    if (doc.Slits.empty())
        return;
    std::vector<Row> rows;
    for (const auto& s : doc.Slits) {
        if (doc.QtyByLength)
            rows.push_back({s->Name, FormatLength(s->Width), FormatNumber(s->RequiredLength(), 1),
                            s->Material, s->Remarks});
        else
            rows.push_back({s->Name, FormatLength(s->Width), FormatNumber(s->RequiredWeight(), 1),
                            s->Material, FormatLength(s->Thickness), Int(s->Priority), s->Remarks});
    }
    if (doc.QtyByLength)
        report.Tables.push_back(Table("Slit Information", kLength, rows));
    else
        report.Tables.push_back(Table("Slit Information", kWeight, rows));
}

void DescribeFillerInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kColumns = {
        {"Name", 120, 'l'}, {"Width", 84, 'r'},    {"Material", 84, 'r'},
        {"Thk.", 45, 'l'},  {"Position", 84, 'r'}, {"Remarks", 112, 'l'},
    };
    if (doc.Fillers.empty())
        return;
    std::vector<Row> rows;
    for (const auto& f : doc.Fillers)
        rows.push_back({f->Name, FormatLength(f->Width), f->Material, FormatLength(f->Thickness),
                        Int(f->Priority), f->Remarks});
    report.Tables.push_back(Table("Filler Information", kColumns, rows));
}

void DescribeSettingsInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kColumns = {{"Description", 20, 'l'}, {"Value", 20, 'l'}};
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
    report.Tables.push_back(Table("Settings Information", kColumns, rows));
}

double UsedLengthOfCoil(const CVellicorDoc& doc, const std::string& coilName)
{
    double sum = 0.0;
    for (const auto& layout : doc.GetLayouts())
        if (layout->Coil->Name == coilName)
            sum += layout->UsedLength();
    return sum;
}

void DescribeCoilUsedInformation(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kLength = {
        {"Name", 98, 'l'},        {"Width", 50, 'r'},       {"Matl", 60, 'r'},         {"Avl Qty", 38, 'r'},
        {"Length/Coil", 74, 'l'}, {"Avl. Length", 64, 'l'}, {"Used. Length", 64, 'l'},
    };
    static const Columns kWeight = {
        {"Name", 98, 'l'},    {"Width", 59, 'r'},   {"Matl", 69, 'r'},    {"Thk.", 44, 'l'},
        {"Avl Qty", 38, 'r'}, {"Wt/Coil", 64, 'l'}, {"Avl. Wt", 64, 'l'}, {"Used Wt", 64, 'l'},
    };
    std::vector<Row> rows;
    for (const auto& c : doc.Coils) {
        const double used = doc.QtyByLength ? UsedLengthOfCoil(doc, c->Name) : doc.CoilWeightUsed(c->Name);
        if (used < 1.0)
            continue;
        if (doc.QtyByLength)
            rows.push_back({c->Name, FormatLength(c->Width), c->Material, FormatNumber(c->Qty, 0),
                            FormatLength(c->LengthPerCoil()), FormatLength(c->Qty * c->LengthPerCoil()),
                            FormatLength(used)});
        else
            rows.push_back({c->Name, FormatLength(c->Width), c->Material, FormatLength(c->Thickness),
                            FormatNumber(c->Qty, 0), FormatNumber(c->WeightPerCoil, 2),
                            FormatNumber(c->TotalWeight(), 2), FormatNumber(used, 2)});
    }
    if (doc.QtyByLength)
        report.Tables.push_back(Table("Coil Used Information", kLength, rows));
    else
        report.Tables.push_back(Table("Coil Used Information", kWeight, rows));
}

void DescribeSummaryOfLayouts(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kLength = {
        {"No.", 39, 'l'},        {"Name", 63, 'l'},       {"Width", 56, 'r'},   {"Mtl", 44, 'r'},
        {"Used Len", 56, 'l'},   {"Rest Width", 56, 'r'}, {"Details", 119, 'l'}, {"Ovr Utl.", 44, 'l'},
    };
    static const Columns kWeight = {
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
            rows.push_back({Int(k), c.Name, FormatLength(c.Width), c.Material,
                            FormatLength(layout->UsedLength()), FormatLength(layout->RestWidth()),
                            layout->DetailText(), Percent(layout->OverallUtilisation(), 1)});
        else
            rows.push_back({Int(k), c.Name, FormatLength(c.Width), c.Material, FormatLength(c.Thickness),
                            FormatNumber(layout->Weight, 2), FormatLength(layout->RestWidth()),
                            layout->DetailText(), Percent(layout->OverallUtilisation(), 1),
                            Percent(layout->PartUtilisation(), 1), Percent(layout->FillerUtilisation(), 1)});
    }
    if (doc.QtyByLength)
        report.Tables.push_back(Table("Summary Of Layouts", kLength, rows));
    else
        report.Tables.push_back(Table("Summary Of Layouts", kWeight, rows));
}

// Names with their slit widths, each followed by ", ".
std::string SlitList(const CLayout& layout)
{
    std::string text;
    for (const auto& slit : layout.SlitPositions)
        text += slit->PartName() + "[" + FormatLength(slit->SlitWidth()) + "], ";
    return text;
}

void DescribeLayouts(ReportContent& report, const CVellicorDoc& doc)
{
    static const Columns kColumns = {{" ", 100, 'l'}};
    const CLayoutList& layouts = doc.GetLayouts();
    const std::string count = Int(layouts.GetCount());
    int k = 0;
    for (const auto& layout : layouts) {
        const CCoil& c = *layout->Coil;
        std::vector<Row> rows;
        if (doc.QtyByLength) {
            rows.push_back({"Coil :" + c.Name + ",    Width :" + FormatLength(c.Width) + ",     Mate :"
                            + c.Material + ",        Length :" + FormatLength(layout->UsedLength())
                            + ",        Utl :" + Percent(layout->OverallUtilisation(), 2)});
            rows.push_back({layout->DetailText()});
        } else {
            rows.push_back({"Coil :" + c.Name + ",    Width :" + FormatNumber(c.Width, 2) + ",     Mate :"
                            + c.Material + ",        Thick :" + FormatNumber(c.Thickness, 2)
                            + ",    Weight :" + FormatNumber(layout->Weight, 2)
                            + ",        Utl :" + Percent(layout->OverallUtilisation(), 2)});
            rows.push_back({SlitList(*layout)});
        }
        const std::string heading = "Layout " + Int(++k) + " of " + count;
        report.Tables.push_back(Table(heading, kColumns, rows));
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

ReportContent DescribeReport(const CVellicorDoc& doc)
{
    ReportContent report{Strings().Text(kReportTitle), {}};
    DescribeResultSummary(report, doc);
    DescribeCoilInformation(report, doc);
    DescribePartInformation(report, doc);
    DescribeSlitInformation(report, doc);
    DescribeFillerInformation(report, doc);
    DescribeSettingsInformation(report, doc);
    DescribeCoilUsedInformation(report, doc);
    DescribeSummaryOfLayouts(report, doc);
    DescribeLayouts(report, doc);
    return report;
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
    WriteReportContent(rtf, DescribeReport(doc));
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
    ReportContent summary;
    DescribeResultSummary(summary, doc);
    WriteReportContent(rtf, summary);
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
    if (WriteReport(doc, reportPath, HeaderFilePath(services.paths), services.printer, services.messages))
        ShowWrittenFile(reportPath, ids::ReportWrittenTo, services.shell, services.messages);
    else
        ShowFile(reportPath, services.shell, services.messages);
}

void CustomiseHeader(const IPaths& paths, IShell& shell, IUserMessages& messages)
{
    // A first-time user gets the built-in header to start from instead of "file not found".
    const std::string header = HeaderFilePath(paths);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(header), ec)) {
        std::string content(DefaultRtfProlog());
        content += "}";
        if (const FileError error = WriteFileAtomically(header, content); error != FileError::None) {
            messages.Tell(SaveErrorId(error), {header}, MessageIcon::Error);
            return;
        }
    }
    ShowWrittenFile(header, ids::HeaderWrittenTo, shell, messages);
}

} // namespace vellicor
