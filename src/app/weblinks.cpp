#include "app/weblinks.h"

#include "app/htmlhandler.h"
#include "app/strings.h"
#include "platform/shell.h"
#include "platform/usermessages.h"
#include "units/textutil.h"

#include <QApplication>

namespace vellicor {
namespace {

int ReasonText(HtmlHandlerResult result)
{
    switch (result) {
    case HtmlHandlerResult::ProgramNotFound:
        return ids::LinkFileNotFound;
    case HtmlHandlerResult::BadAssociation:
        return ids::LinkBadAssociation;
    default:
        return ids::LinkNoAssociation;
    }
}

} // namespace

int ProgramVersion()
{
    return VELLICOR_VERSION_MAJOR * 100 + VELLICOR_VERSION_MINOR;
}

std::string WebLinkAddress(int stringId)
{
    return Trim(Strings().Text(stringId)) + "?pver=" + std::to_string(ProgramVersion());
}

bool OpenWebAddress(const std::string& url, IShell& shell, IUserMessages& messages)
{
    if (shell.OpenUrl(url))
        return true;
    const HtmlHandlerResult result = OpenWithHtmlHandler(QString::fromStdString(url));
    if (result == HtmlHandlerResult::Started)
        return true;
    QApplication::beep();
    messages.Tell(ids::HyperlinkFailed, {Strings().Text(ReasonText(result))}, MessageIcon::Warning);
    return false;
}

} // namespace vellicor
