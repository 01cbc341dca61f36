#pragma once

#include <iosfwd>

namespace vellicor {
struct ReportContent;
}

namespace vellicor::cli {

// A report's description as plain text: the title, then each heading over its table.
void PrintReportContent(std::ostream& out, const ReportContent& content);

} // namespace vellicor::cli
