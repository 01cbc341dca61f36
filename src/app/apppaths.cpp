#include "app/apppaths.h"

#include "units/textutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vellicor {

std::string AppPaths::InstallDir() const
{
    QString dir = installOverride_;
    if (dir.isEmpty())
        dir = QSettings(QSettings::SystemScope, "Quintal", "Vellicor").value("InstallDir").toString();
    if (dir.trimmed().isEmpty())
        dir = QCoreApplication::applicationDirPath();
    std::string path = QDir::fromNativeSeparators(dir).toStdString();
    StripTrailingSlash(path);
    return path.empty() ? "." : path;
}

std::string AppPaths::DataDir() const
{
    const QString installData = QString::fromStdString(InstallDir()) + "/Data";
    if (IsWritableDir(installData))
        return installData.toStdString();
    QString user = userDataOverride_;
    if (user.isEmpty())
        user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    std::string path = QDir::fromNativeSeparators(user).toStdString();
    StripTrailingSlash(path);
    return path;
}

bool IsWritableDir(const QString& dir)
{
    if (!QDir().mkpath(dir))
        return false;
    QTemporaryFile probe(dir + "/.write-probe-XXXXXX");
    return probe.open();
}

} // namespace vellicor
