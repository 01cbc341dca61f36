#pragma once

#include <string_view>

class QTextDocument;

namespace vellicor {

// Reads the RTF of the reports into `doc`, replacing its content: paragraphs, headings, bold runs,
// bordered tables and code page 1252 text. Font and colour tables, style sheets and whatever else it
// does not know are skipped; damaged input gives what could be read.
void ReadRtf(std::string_view rtf, QTextDocument& doc);

} // namespace vellicor
