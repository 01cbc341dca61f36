#include "app/helpviewer.h"

#include "app/helptopics.h"
#include "app/strings.h"
#include "platform/shell.h"
#include "ui/helpcontext.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>

namespace vellicor {

CHelpViewer::CHelpViewer(IShell& shell, QWidget* parent)
    : QMainWindow(parent, Qt::Window), shell_(shell), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    setWindowTitle(Text(ids::HelpTitle));
    SetHelpContext(this, 57667);
    setCentralWidget(browser_);
    browser_->setOpenLinks(false);
    browser_->document()->setDocumentMargin(12);
    connect(browser_, &QTextBrowser::anchorClicked, this, &CHelpViewer::OnLink);

    QToolBar* bar = addToolBar(Text(ids::HelpTitle));
    bar->setObjectName("HelpToolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* back = bar->addAction(Text(ids::HelpBack), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(Text(ids::HelpForward), browser_, &QTextBrowser::forward);
    bar->addAction(Text(ids::HelpContentsButton), this, [this] {
        if (!contents_.isEmpty())
            browser_->setSource(QUrl::fromLocalFile(contents_));
    });
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? Text(ids::HelpTitle) : Text(ids::HelpTitle) + " - " + title);
    });
    resize(820, 640);
}

void CHelpViewer::ShowPage(const QString& dir, const QString& page)
{
    contents_ = dir + "/" + QString::fromStdString(HelpTopicPage(kHelpContents));
    const QString path = dir + "/" + page;
    missing_ = !QFileInfo::exists(path);
    if (!missing_) {
        browser_->setSource(QUrl::fromLocalFile(path));
    } else {
        browser_->clearHistory();
        browser_->setPlainText(Text(ids::HelpMissing).arg(QDir::toNativeSeparators(dir)));
        setWindowTitle(Text(ids::HelpTitle));
    }
}

QString CHelpViewer::CurrentPage() const
{
    return !missing_ && browser_->source().isLocalFile() ? QFileInfo(browser_->source().toLocalFile()).fileName() : QString();
}

void CHelpViewer::OnLink(const QUrl& url)
{
    if (url.isRelative() || url.isLocalFile())
        browser_->setSource(browser_->source().resolved(url));
    else
        shell_.OpenUrl(url.toString().toStdString());
}

} // namespace vellicor
