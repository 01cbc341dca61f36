#include "report/reportrtf.h"

#include "report/reportcontent.h"
#include "report/rtfwriter.h"

#include <vector>

namespace vellicor {

void WriteReportContent(CRtfWriter& rtf, const ReportContent& content)
{
    if (!content.Title.empty())
        rtf.WriteTitle(content.Title);
    for (const ReportTable& table : content.Tables) {
        std::vector<RtfColumn> columns;
        for (const ReportColumn& c : table.Columns)
            columns.push_back({c.Title.c_str(), c.Width, c.Align});
        rtf.WriteSectionHeading(table.Heading);
        rtf.BeginTable(columns);
        bool ended = false;
        for (const ReportRow& row : table.Rows) {
            std::vector<std::string> cells;
            for (const std::string& cell : row.Cells)
                cells.push_back(EscapeRtfText(cell));
            rtf.WriteRow(cells);
            if (row.EndsTable)
                rtf.EndTable();
            ended = row.EndsTable;
        }
        if (!ended)
            rtf.EndTable();
    }
}

} // namespace vellicor
