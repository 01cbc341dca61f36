#pragma once

class QTextEdit;

namespace vellicor {

class CVellicorDoc;
class IPrinterMetrics;

// Shows the job's result summary in `view`, read-only. The summary is written to a temporary file,
// read back and the file removed. False, with the view empty, when the job has no result or the
// summary could not be written or read.
bool ShowResultSummary(const CVellicorDoc& doc, const IPrinterMetrics& printer, QTextEdit& view);

} // namespace vellicor
