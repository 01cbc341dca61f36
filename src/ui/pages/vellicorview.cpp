#include "ui/pages/vellicorview.h"

#include "ui/grid/gridwnd.h"
#include "ui/pages/page.h"
#include "ui/pages/partpage.h"
#include "ui/pages/resultpage.h"
#include "ui/pages/sheet.h"
#include "ui/pages/slitspage.h"
#include "ui/pages/stockpage.h"

#include <QVBoxLayout>

namespace vellicor {

CVellicorView::CVellicorView(CVellicorDoc& doc, UiServices services, ResultServices results, QWidget* parent)
    : QWidget(parent), doc_(doc), sheet_(new CSSheet(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet_);
    connect(sheet_, &CSSheet::DocumentChanged, this, &CVellicorView::DocumentChanged);
    connect(sheet_, &CSSheet::Edited, this, &CVellicorView::Edited);
    sheet_->AddPage(new CSStockPage(doc_, services));
    sheet_->AddPage(new CSSlitsPage(doc_, services));
    sheet_->AddPage(new CSPartPage(doc_, services));
    sheet_->AddPage(new CSResultPage(doc_, services, results));
}

void CVellicorView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A new or opened job takes the keys typed next in its current cell, not on the tab bar.
    if (CSPage* page = sheet_->GetActivePage(); page && page->GetGrid())
        page->GetGrid()->setFocus();
}

bool CVellicorView::StoreActivePage()
{
    CSPage* page = sheet_->GetActivePage();
    return !page || page->UpdateData(true);
}

void CVellicorView::ReloadActivePage()
{
    if (CSPage* page = sheet_->GetActivePage())
        page->UpdateData(false);
}

bool CVellicorView::HasUnstoredEdits() const
{
    const CSPage* page = sheet_->GetActivePage();
    return page && page->GetGrid() && page->GetGrid()->IsModified();
}

} // namespace vellicor
