#pragma once

class QTextDocument;

namespace vellicor {

struct ReportContent;

// Lays out a report's description as a text document: the title, each heading with its bordered
// table across the page width, a page break before the tables that start a page. Needs a
// QGuiApplication for its fonts.
void FillTextDocument(const ReportContent& content, QTextDocument& doc);

// Starts a new page at each heading that the foot of its page would part from its table: one with
// less room below it than the table's header and first row take. The page size must be set.
void KeepHeadingsWithTables(QTextDocument& doc);

} // namespace vellicor
