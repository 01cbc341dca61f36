#include "app/contexthelp.h"

#include "app/apppaths.h"
#include "app/helptopics.h"
#include "app/helpviewer.h"
#include "ui/helpcontext.h"

#include <QApplication>
#include <QDialog>
#include <QWindow>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

namespace vellicor {

namespace {

// The widget a key sent to `watched` goes to: the focus of the application, or of that window when
// no window is active.
const QObject* Asking(const QObject* watched)
{
    if (watched->isWidgetType())
        return watched;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (static_cast<const QObject*>(top->windowHandle()) == watched && top->focusWidget())
            return top->focusWidget();
    return watched;
}

} // namespace

CContextHelp::CContextHelp(const AppPaths& paths, IShell& shell) : paths_(paths), shell_(shell)
{
    qApp->installEventFilter(this);
    HelpHandler() = [this](int contextId) { ShowHelp(contextId); };
}

CContextHelp::~CContextHelp()
{
    HelpHandler() = nullptr;
    LeaveContextMode();
    delete viewer_.data();
}

CHelpViewer* CContextHelp::Viewer() const
{
    return viewer_;
}

void CContextHelp::ShowHelp(int contextId)
{
    ShowTopic(HelpTopicOf(contextId));
}

void CContextHelp::ShowContents()
{
    ShowTopic(kHelpContents);
}

void CContextHelp::ShowTopic(int topic)
{
    // A modal dialog blocks every window but its own: the viewer then opens as one of them, above
    // it, and goes back to the main window when the dialog closes.
    QWidget* modal = QApplication::activeModalWidget();
    if (!viewer_)
        viewer_ = new CHelpViewer(shell_, mainWindow_);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        PlaceViewer(dialog);
        connect(dialog, &QDialog::finished, this, &CContextHelp::OnDialogFinished, Qt::UniqueConnection);
    }
    viewer_->ShowPage(QString::fromStdString(paths_.HelpDir()),
                      QString::fromStdString(HelpTopicPage(topic)));
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

void CContextHelp::PlaceViewer(QWidget* owner)
{
    if (viewer_->parentWidget() == owner)
        return;
    const bool shown = viewer_->isVisible();
    viewer_->setParent(owner, viewer_->windowFlags());
    if (shown)
        viewer_->show();
}

void CContextHelp::OnDialogFinished()
{
    if (viewer_)
        PlaceViewer(mainWindow_);
}

void CContextHelp::EnterContextMode()
{
    if (contextMode_)
        return;
    contextMode_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void CContextHelp::LeaveContextMode()
{
    if (!contextMode_)
        return;
    contextMode_ = false;
    QApplication::restoreOverrideCursor();
}

bool CContextHelp::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (contextMode_ && key->key() == Qt::Key_Escape) {
            LeaveContextMode();
            return true;
        }
        if (key->key() != Qt::Key_F1)
            return false;
        if (key->modifiers() & Qt::ShiftModifier) {
            EnterContextMode();
        } else {
            // The window sees the key before the widget with the focus does; the focus chooses.
            LeaveContextMode();
            ShowHelp(HelpContextOf(Asking(watched)));
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        return contextMode_ && OnContextClick(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
    case QEvent::MouseButtonRelease:
        if (swallowRelease_) {
            swallowRelease_ = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}

// The clicked menu entry, toolbar button or window chooses the help. Clicks on the menu bar and on
// entries that open a submenu go through, so that the user can reach any menu entry.
bool CContextHelp::OnContextClick(QObject* watched, QPoint pos)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || qobject_cast<QMenuBar*>(widget))
        return false;
    const QObject* target = widget;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        QAction* action = menu->actionAt(pos);
        if (!action || action->menu())
            return false;
        target = action;
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    } else if (auto* button = qobject_cast<QToolButton*>(widget); button && button->defaultAction()) {
        target = button->defaultAction();
    }
    LeaveContextMode();
    swallowRelease_ = true;
    ShowHelp(HelpContextOf(target));
    return true;
}

} // namespace vellicor
