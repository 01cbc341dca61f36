#pragma once

namespace vellicor {

class CRtfWriter;
struct ReportContent;

// The title and tables of `content` into an open writer, after its prolog; the cells escaped.
void WriteReportContent(CRtfWriter& rtf, const ReportContent& content);

} // namespace vellicor
