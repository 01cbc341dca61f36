#pragma once

#include <string>

class QPageLayout;
class QPagedPaintDevice;

namespace vellicor {

struct ReportContent;

// A4 upright with 15 mm margins: the page of a PDF written where no printer was set up.
QPageLayout DefaultPageLayout();

// Prints the laid-out description on the device's pages (a printer, a PDF writer, a preview),
// numbering them at the foot.
void PrintContent(const ReportContent& content, QPagedPaintDevice& device);

// Writes the description as a PDF file on pages of `layout`, replacing the old file only when the
// whole write succeeded; false when the file could not be written.
bool WriteContentPdf(const ReportContent& content, const std::string& path, const QPageLayout& layout);

} // namespace vellicor
