#include "app/vellicorapp.h"

#include "app/mainframe.h"
#include "app/strings.h"
#include "platform/safefile.h"
#include "units/units.h"

#include <clocale>

// The icons are compiled into this static library; its resources must be registered by hand.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace vellicor {

CVellicorApp::CVellicorApp(std::unique_ptr<QSettings> settings, IUserMessages* messages, IShell* shell)
    : settings_(settings ? std::move(settings) : std::make_unique<QSettings>("Quintal", "Vellicor")), store_(*settings_),
      messages_(messages ? messages : &boxes_), shell_(shell ? shell : &desktop_)
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

bool CVellicorApp::InitInstance(const QStringList& files)
{
    LoadLanguagePack();
    std::setlocale(LC_ALL, "");
    LoadUnitSettings(store_);

    frame_ = std::make_unique<CMainFrame>(*this);
    boxes_.SetParent(frame_.get());
    bool ok = true;
    if (files.isEmpty())
        frame_->NewJob();
    for (const QString& file : files)
        ok = frame_->OpenJob(file) != nullptr && ok;
    frame_->setWindowTitle(Text(ids::AppTitle));
    frame_->show();
    return ok;
}

} // namespace vellicor
