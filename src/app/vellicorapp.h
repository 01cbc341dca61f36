#pragma once

#include "app/apppaths.h"
#include "app/qtmessages.h"
#include "app/qtprinter.h"
#include "app/qtshell.h"
#include "app/qtsettingsstore.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace vellicor {

class CMainFrame;

// The application object: settings, messages, paths and printer for the whole run, and start-up.
class CVellicorApp {
public:
    // `settings` defaults to the user's own (organisation "Quintal", application "Vellicor").
    // `messages` defaults to message boxes, `shell` to the desktop's associated programs.
    explicit CVellicorApp(std::unique_ptr<QSettings> settings = nullptr, IUserMessages* messages = nullptr,
                          IShell* shell = nullptr);
    ~CVellicorApp();

    // Start-up in order; `files` are the job files named on the command line. False when the main
    // window could not be created or the command line could not be carried out.
    bool InitInstance(const QStringList& files);

    ISettingsStore& Store() { return store_; }
    IUserMessages& Messages() { return *messages_; }
    QtPrinterMetrics& Printer() { return printer_; }
    AppPaths& Paths() { return paths_; }
    IShell& Shell() { return *shell_; }
    CMainFrame* MainFrame() const { return frame_.get(); }

    // The running number of the next new job's title (Vellicor1, Vellicor2, ...).
    int NextDocumentNumber() { return ++documentCount_; }

private:
    void LoadLanguagePack();

    std::unique_ptr<QSettings> settings_;
    QtSettingsStore store_;
    QtMessages boxes_;
    IUserMessages* messages_;
    QtPrinterMetrics printer_;
    AppPaths paths_;
    QtShell desktop_;
    IShell* shell_;
    std::unique_ptr<CMainFrame> frame_;
    int documentCount_ = 0;
};

} // namespace vellicor
