#include "ui/pages/resultsummary.h"

#include "platform/safefile.h"
#include "report/jobreport.h"
#include "ui/drawing/rtfreader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextEdit>

namespace vellicor {

bool ShowResultSummary(const CVellicorDoc& doc, const IPrinterMetrics& printer, QTextEdit& view)
{
    view.setReadOnly(true);
    view.clear();
    // A folder of its own, so that the writer's temporary file goes with the summary.
    const QTemporaryDir dir(QDir::tempPath() + "/rtf-XXXXXX");
    if (!dir.isValid())
        return false;
    const std::string path = dir.filePath("summary.rtf").toStdString();
    std::string rtf;
    if (!WriteSummary(doc, path, printer) || ReadWholeFile(path, rtf) != FileError::None)
        return false;
    ReadRtf(rtf, *view.document());
    return true;
}

} // namespace vellicor
