#include "app/childframe.h"

#include "app/mainframe.h"
#include "app/vellicorapp.h"
#include "model/vellicordoc.h"
#include "ui/pages/vellicorview.h"

#include <QCloseEvent>
#include <QMenu>

namespace vellicor {
CChildFrame::CChildFrame(CMainFrame& frame, std::unique_ptr<CVellicorDoc> doc)
    : frame_(frame), doc_(std::move(doc)),
      view_(new CVellicorView(*doc_, frame.App().Services(),
                              {frame.App().Printer(), frame.App().Inventory(), frame.App().Materials()}))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    // File Close owns the platform's close key; the same key here too would make both dead.
    for (QAction* action : systemMenu()->actions())
        if (action->shortcuts() == QKeySequence::keyBindings(QKeySequence::Close))
            action->setShortcuts({});
    connect(view_, &CVellicorView::DocumentChanged, this, &CChildFrame::UpdateTitle);
    connect(view_, &CVellicorView::Edited, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

// The view goes before the document it shows.
CChildFrame::~CChildFrame()
{
    delete widget();
}

void CChildFrame::UpdateTitle()
{
    // The mark is part of the text, so that every place showing the title shows it alike.
    const bool modified = doc_->IsModified() || view_->HasUnstoredEdits();
    setWindowTitle(QString::fromStdString(doc_->GetTitle()) + (modified ? "*" : ""));
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!view_->StoreActivePage() || !frame_.SaveModified(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace vellicor
