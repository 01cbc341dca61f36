#pragma once

#include "app/apppaths.h"
#include "app/contexthelp.h"
#include "app/qtmessages.h"
#include "app/qtprinter.h"
#include "app/qtshell.h"
#include "app/qtsettingsstore.h"
#include "inventory/inventorystore.h"
#include "inventory/matedb.h"
#include "ui/dialogs/qtinventorydialogs.h"
#include "ui/uiservices.h"

#include <QPointer>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace vellicor {

class CMainFrame;
class CSplashWnd;

// The application object: settings, messages, paths and printer for the whole run, and start-up.
class CVellicorApp {
public:
    // `settings` defaults to the user's own (organisation "Quintal", application "Vellicor").
    // `messages` defaults to message boxes, `shell` to the desktop's associated programs.
    explicit CVellicorApp(std::unique_ptr<QSettings> settings = nullptr, IUserMessages* messages = nullptr,
                          IShell* shell = nullptr);
    ~CVellicorApp();

    enum class Splash { Skip, Show };

    // Start-up in order; `files` are the job files named on the command line. With the splash
    // screen, the tip of the day follows it when the user chose so. False when the main window
    // could not be created or the command line could not be carried out.
    bool InitInstance(const QStringList& files, Splash splash = Splash::Skip);

    ISettingsStore& Store() { return store_; }
    IUserMessages& Messages() { return *messages_; }
    QtPrinterMetrics& Printer() { return printer_; }
    AppPaths& Paths() { return paths_; }
    IShell& Shell() { return *shell_; }
    CMainFrame* MainFrame() const { return frame_.get(); }
    CContextHelp& Help() { return help_; }
    // The material library, loaded for the whole run, and the inventory store the settings store's
    // "Inventory"/"Store" chooses; both exist from start-up on.
    CsMateDb& Materials() { return materials_; }
    IInventoryStore& Inventory() { return *inventory_; }
    IInventoryDialogs& InventoryDialogs() { return inventoryDialogs_; }
    // What the job windows and the application's dialogs are given; the inventory from start-up on.
    UiServices Services();
    // The splash screen while it is up.
    CSplashWnd* SplashWindow() const;

    // Help for a dialog or command id: its topic, or the contents when it has none.
    void ShowHelp(int contextId) { help_.ShowHelp(contextId); }
    void ShowTipOfTheDay();
    // Opens the vendor page of string 144, 145, 146 or 147.
    void OpenWebLink(int stringId);
    void ShowAbout();

    // The running number of the next new job's title (Vellicor1, Vellicor2, ...).
    int NextDocumentNumber() { return ++documentCount_; }

private:
    void LoadLanguagePack();
    void OnSplashClosed();

    std::unique_ptr<QSettings> settings_;
    QtSettingsStore store_;
    QtMessages boxes_;
    IUserMessages* messages_;
    QtPrinterMetrics printer_;
    AppPaths paths_;
    QtShell desktop_;
    IShell* shell_;
    CContextHelp help_;
    CsMateDb materials_;
    std::unique_ptr<IInventoryStore> inventory_;
    CQtInventoryDialogs inventoryDialogs_;
    QPointer<CSplashWnd> splash_;
    std::unique_ptr<CMainFrame> frame_;
    int documentCount_ = 0;
};

} // namespace vellicor
