#include "ui/vellicorview.h"

#include "ui/page.h"
#include "ui/placeholderpage.h"
#include "ui/resultpage.h"
#include "ui/sheet.h"

#include <QVBoxLayout>

namespace vellicor {
namespace {

// The pages' templates and tab tips, in tab order.
struct PageDef {
    int templateId;
    int tip;
};
constexpr PageDef kPages[] = {{131, 168}, {304, 170}, {301, 169}, {303, 173}};

} // namespace

CVellicorView::CVellicorView(CVellicorDoc& doc, UiServices services, ResultServices results, QWidget* parent)
    : QWidget(parent), doc_(doc), sheet_(new CSSheet(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet_);
    connect(sheet_, &CSSheet::DocumentChanged, this, &CVellicorView::DocumentChanged);
    for (const PageDef& page : kPages) {
        if (page.templateId == CSResultPage::Id)
            sheet_->AddPage(new CSResultPage(doc_, services, results));
        else
            sheet_->AddPage(new CSPlaceholderPage(page.templateId, page.tip, doc_, services));
    }
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

} // namespace vellicor
