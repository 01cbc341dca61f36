#include "app/vellicorapp.h"

#include "app/aboutdlg.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/splashwnd.h"
#include "app/strings.h"
#include "app/tipdlg.h"
#include "app/weblinks.h"
#include "inventory/inventory.h"
#include "pgstore/openstore.h"
#include "platform/safefile.h"
#include "units/units.h"

#include <QAction>
#include <QTimer>

#include <clocale>

// The icons are compiled into this static library; its resources must be registered by hand.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace vellicor {

CVellicorApp::CVellicorApp(std::unique_ptr<QSettings> settings, IUserMessages* messages, IShell* shell)
    : settings_(settings ? std::move(settings) : std::make_unique<QSettings>("Quintal", "Vellicor")), store_(*settings_),
      messages_(messages ? messages : &boxes_), shell_(shell ? shell : &desktop_), help_(paths_, *shell_),
      inventoryDialogs_({store_, *messages_}, materials_)
{
    InitIconResources();
}

CVellicorApp::~CVellicorApp()
{
    frame_.reset();
    Strings().ClearLanguagePack();
}

void CVellicorApp::LoadLanguagePack()
{
    const std::string language = store_.GetProfileString("Settings", "Language", "");
    if (language.empty())
        return;
    std::string content;
    if (ReadWholeFile(paths_.InstallDir() + "/" + language, content) != FileError::None
        || !Strings().LoadLanguagePack(content))
        messages_->Tell(ids::LanguagePackMissing);
}

bool CVellicorApp::InitInstance(const QStringList& files, Splash splash)
{
    LoadLanguagePack();
    std::setlocale(LC_ALL, "");
    LoadUnitSettings(store_);
    // A first start, or a new user on a read-only installation, gets a starter library and an
    // empty inventory in the data directory.
    const std::string dataDir = paths_.DataDir();
    inventory_ = OpenInventoryStore(StoreSetting(store_), dataDir, *messages_).store;
    inventory_->ReadMaterialLibrary(materials_);
    inventoryDialogs_.SetInventory(inventory_.get());

    frame_ = std::make_unique<CMainFrame>(*this);
    boxes_.SetParent(frame_.get());
    inventoryDialogs_.SetParent(frame_.get());
    help_.SetMainWindow(frame_.get());
    if (splash == Splash::Show) {
        splash_ = new CSplashWnd(frame_.get());
        QObject::connect(splash_, &CSplashWnd::Closed, frame_.get(), [this] { OnSplashClosed(); });
        splash_->show();
    }
    bool ok = true;
    if (files.isEmpty())
        frame_->NewJob();
    for (const QString& file : files)
        ok = frame_->OpenJob(file) != nullptr && ok;
    frame_->show();
    if (splash_) {
        // Where the frame really is once it is on the screen.
        splash_->CentreOver(frame_.get());
        splash_->raise();
    }
    return ok;
}

UiServices CVellicorApp::Services()
{
    // The choices are read whenever a page loads, so that an edited library shows at once.
    return {store_, *messages_, inventory_.get(), &inventoryDialogs_,
            [this] { return materials_.MaterialChoiceList(); }};
}

CSplashWnd* CVellicorApp::SplashWindow() const
{
    return splash_;
}

void CVellicorApp::OnSplashClosed()
{
    frame_->update();
    if (store_.GetProfileInt("Tip", "StartUp", 0) == 0)
        QTimer::singleShot(0, frame_.get(), [this] { frame_->Action(cmd::TipOfTheDay)->trigger(); });
}

void CVellicorApp::ShowTipOfTheDay()
{
    CTipDlg dialog(store_, *messages_, paths_.TipsFile(), frame_.get());
    dialog.exec();
}

void CVellicorApp::OpenWebLink(int stringId)
{
    OpenWebAddress(WebLinkAddress(stringId), *shell_, *messages_);
}

void CVellicorApp::ShowAbout()
{
    CAboutDlg dialog(*shell_, *messages_, frame_.get());
    dialog.exec();
}

} // namespace vellicor
