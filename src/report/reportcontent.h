#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellicor {

// One column of a report table: its title, its width relative to the other columns, and its
// alignment, 'l' or 'r'.
struct ReportColumn {
    std::string Title;
    std::uint16_t Width;
    char Align;
};

struct ReportRow {
    std::vector<std::string> Cells;
    // The RTF closes the table after this row; the rows after it still line up as its rows.
    bool EndsTable = false;
};

// A headed table. Texts are plain: each renderer makes them safe for its own format.
struct ReportTable {
    std::string Heading;
    std::vector<ReportColumn> Columns;
    std::vector<ReportRow> Rows;
    // Starts a new page, unless it opens the document.
    bool NewPage = false;
};

// What a report says, independent of the file or page it goes to: the RTF writer, the PDF, the
// print preview and the command line all render this one description.
struct ReportContent {
    // Empty for no title.
    std::string Title;
    std::vector<ReportTable> Tables;
    // Type to be read at arm's length, as at the slitter.
    bool LargeType = false;
};

} // namespace vellicor
