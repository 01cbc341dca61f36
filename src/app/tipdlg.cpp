#include "app/tipdlg.h"

#include "app/strings.h"
#include "platform/settingsstore.h"
#include "platform/usermessages.h"
#include "ui/helpcontext.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cctype>
#include <ctime>

namespace vellicor {
namespace {

constexpr const char* kSection = "Tip";
constexpr int kStartUpBox = 1000;
constexpr int kNextButton = 1001;

} // namespace

std::string TipsFileStamp(const std::string& path)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists())
        return {};
    const std::time_t t = static_cast<std::time_t>(info.lastModified().toSecsSinceEpoch());
    std::string text = std::ctime(&t);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

CTipDlg::CTipDlg(ISettingsStore& store, IUserMessages& messages, const std::string& tipsPath, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), tip_(new QLabel(this)),
      startUp_(new QCheckBox(UiText(DialogTextId(Id, kStartUpBox)), this)),
      next_(new QPushButton(UiText(DialogTextId(Id, kNextButton)), this)),
      close_(new QPushButton(UiText(DialogTextId(Id, IdOk)), this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);

    auto* bulb = new QLabel(this);
    bulb->setPixmap(QIcon(":/icons/tip.svg").pixmap(48, 48));
    auto* heading = new QLabel(Text(ids::DidYouKnow), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    tip_->setObjectName("TipText");
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip_->setTextFormat(Qt::PlainText);
    tip_->setMinimumSize(380, 130);
    tip_->setMargin(12);
    tip_->setFrameShape(QFrame::StyledPanel);
    tip_->setAutoFillBackground(true);
    QPalette white = tip_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    tip_->setPalette(white);

    auto* top = new QHBoxLayout;
    top->addWidget(bulb);
    top->addWidget(heading, 1, Qt::AlignVCenter);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(startUp_);
    bottom->addStretch();
    bottom->addWidget(next_);
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tip_, 1);
    layout->addLayout(bottom);

    close_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &CTipDlg::ShowNextTip);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    startUp_->setChecked(store_.GetProfileInt(kSection, "StartUp", 0) == 0);
    fileOpen_ = file_.Open(tipsPath);
    if (!fileOpen_) {
        tip_->setText(Text(ids::TipsFileMissing));
        next_->setEnabled(false);
        return;
    }
    // A changed file starts again from its first tip.
    const std::string stamp = TipsFileStamp(tipsPath);
    if (stamp != store_.GetProfileString(kSection, "TimeStamp", "")) {
        store_.WriteString(kSection, "TimeStamp", stamp);
        file_.Seek(0);
    } else {
        file_.Seek(store_.GetProfileInt(kSection, "FilePos", 0));
    }
    ShowNextTip();
}

void CTipDlg::ShowNextTip()
{
    const CTipFile::Result tip = file_.NextTip();
    switch (tip.status) {
    case CTipFile::Status::Tip:
        tip_->setText(QString::fromStdString(tip.text));
        break;
    case CTipFile::Status::NoTip:
        tip_->setText(Text(ids::TipsFileEmpty));
        next_->setEnabled(false);
        break;
    case CTipFile::Status::ReadError:
        messages_.Tell(ids::TipsFileTrouble, {}, MessageIcon::Error);
        break;
    }
}

// Every way out counts as Close: the dialog has no other button.
void CTipDlg::done(int result)
{
    store_.WriteInt(kSection, "StartUp", startUp_->isChecked() ? 0 : 1);
    if (fileOpen_)
        store_.WriteInt(kSection, "FilePos", static_cast<int>(file_.Offset()));
    QDialog::done(result);
}

} // namespace vellicor
