#include "app/aboutdlg.h"

#include "app/linklabel.h"
#include "app/strings.h"
#include "app/weblinks.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellicor {
namespace {

constexpr int kLinkControl = 1074;
constexpr int kVersionControl = 1079;
constexpr int kPurposeControl = 1080;
constexpr int kCopyrightControl = 1081;

} // namespace

QString AboutVersionText()
{
    return QString::asprintf("%s %.2f", Text(ids::AppTitle).toUtf8().constData(), ProgramVersion() / 100.0);
}

CAboutDlg::CAboutDlg(IShell& shell, IUserMessages& messages, QWidget* parent)
    : QDialog(parent), version_(new QLabel(AboutVersionText(), this)),
      link_(new CLinkLabel({}, Text(ids::ProductWebsite).trimmed(), shell, messages, this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    version_->setObjectName(QString::number(kVersionControl));
    link_->setObjectName(QString::number(kLinkControl));
    QFont bold = version_->font();
    bold.setWeight(QFont::ExtraBold);
    version_->setFont(bold);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/vellicor.svg").pixmap(64, 64));
    auto* purpose = new QLabel(UiText(DialogTextId(Id, kPurposeControl)), this);
    purpose->setWordWrap(true);
    auto* copyright = new QLabel(UiText(DialogTextId(Id, kCopyrightControl)), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version_);
    texts->addWidget(purpose);
    texts->addWidget(copyright);
    texts->addWidget(link_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText(DialogTextId(Id, IdOk)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

} // namespace vellicor
