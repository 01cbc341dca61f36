#pragma once

#include <string>

namespace vellicor {

struct ReportContent;
class CVellicorDoc;
class IPaths;
class IPrinterMetrics;
class IShell;
class IUserMessages;

// What the report needs of the desktop: messages, the shell, the printer and the data directory.
struct ReportServices {
    IUserMessages& messages;
    IShell& shell;
    const IPrinterMetrics& printer;
    const IPaths& paths;
};

// The job file's path cut before its last "." (if any), then ".rtf".
std::string ReportPathFor(const std::string& jobPath);

// "Header.rtf" in the data directory.
std::string HeaderFilePath(const IPaths& paths);

// The full report of a job: its title and tables, for whichever format it goes to.
ReportContent DescribeReport(const CVellicorDoc& doc);

// The full report of a job with a result as RTF. False, and nothing written, when the job has no result;
// false with message 178 when the file cannot be written. An empty header path means the default
// prolog.
bool WriteReport(const CVellicorDoc& doc, const std::string& path, const std::string& headerPath,
                 const IPrinterMetrics& printer, IUserMessages& messages);

// The result summary alone with the default prolog, for the Results page; no message on failure.
bool WriteSummary(const CVellicorDoc& doc, const std::string& path, const IPrinterMetrics& printer);

// "Export Output as RTF": writes the report beside the job file, shows it, names the file and
// offers to open its folder.
void ExportReport(const CVellicorDoc& doc, const ReportServices& services);

// Opens the report header for editing in the associated program, first creating it from the
// built-in header when there is none; names the file and offers to open its folder.
void CustomiseHeader(const IPaths& paths, IShell& shell, IUserMessages& messages);

} // namespace vellicor
