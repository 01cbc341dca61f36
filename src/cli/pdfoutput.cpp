#include "cli/pdfoutput.h"

#include "cli/context.h"
#include "platform/usermessages.h"
#include "print/contentpdf.h"
#include "print/offscreenapp.h"
#include "units/textutil.h"

#include <QPageLayout>

namespace vellicor::cli {
namespace {
constexpr int kMsgOutputOpen = 178;
} // namespace

bool IsPdfPath(const std::string& path)
{
    const std::string lower = ToLowerAscii(path);
    return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".pdf") == 0;
}

bool WritePdf(Context& ctx, const ReportContent& content, const std::string& path)
{
    EnsureGuiApplication();
    if (WriteContentPdf(content, path, DefaultPageLayout()))
        return true;
    ctx.messages.Tell(kMsgOutputOpen, {}, MessageIcon::Question);
    return false;
}

} // namespace vellicor::cli
