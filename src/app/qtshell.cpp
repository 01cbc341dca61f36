#include "app/qtshell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace vellicor {

bool QtShell::OpenDocument(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::OpenFolder(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::OpenUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

} // namespace vellicor
