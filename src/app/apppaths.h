#pragma once

#include "platform/paths.h"

#include <QString>

namespace vellicor {

// The installation directory is the machine-wide "InstallDir" setting, else the program's own
// directory. Data lives in its "Data" folder when that can be written, else in the user's
// application data folder.
class AppPaths : public IPaths {
public:
    std::string InstallDir() const override;
    std::string DataDir() const override;

    // Overrides for tests and portable installs; empty means the rules above.
    void SetInstallDir(const QString& dir) { installOverride_ = dir; }
    void SetUserDataDir(const QString& dir) { userDataOverride_ = dir; }

    // The help pages: one HTML page per topic and the contents page "index.html".
    std::string HelpDir() const { return InstallDir() + "/help"; }
    std::string TipsFile() const { return InstallDir() + "/VellicorTips.txt"; }

private:
    QString installOverride_;
    QString userDataOverride_;
};

// True when a file can be created in `dir` (which is created if missing).
bool IsWritableDir(const QString& dir);

} // namespace vellicor
