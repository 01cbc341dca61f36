#include "cli/contenttext.h"

#include "cli/texttable.h"
#include "report/reportcontent.h"

#include <ostream>

namespace vellicor::cli {

void PrintReportContent(std::ostream& out, const ReportContent& content)
{
    if (!content.Title.empty())
        out << content.Title << "\n\n";
    for (const ReportTable& table : content.Tables) {
        out << table.Heading << '\n';
        std::vector<std::string> header;
        for (const ReportColumn& c : table.Columns)
            header.push_back(c.Title);
        TextTable text(std::move(header));
        for (const ReportRow& row : table.Rows)
            text.Add(row.Cells);
        text.Print(out);
        out << '\n';
    }
}

} // namespace vellicor::cli
