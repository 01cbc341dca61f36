#include "ui/vellicorview.h"

#include "model/vellicordoc.h"
#include "platform/stringtable.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace vellicor {
namespace {

// The pages' dialog captions and tab tips by string id, in tab order.
struct TabText {
    int caption;
    int tip;
};
constexpr TabText kTabs[] = {{2'000'131, 168}, {2'000'304, 170}, {2'000'301, 169}, {2'000'303, 173}};

} // namespace

CVellicorView::CVellicorView(CVellicorDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc), sheet_(new QTabWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet_);
    for (const auto& tab : kTabs) {
        const int i = sheet_->addTab(new QWidget(sheet_), QString::fromStdString(Strings().Text(tab.caption)));
        sheet_->setTabToolTip(i, QString::fromStdString(Strings().Text(tab.tip)));
    }
}

bool CVellicorView::StoreActivePage()
{
    return true;
}

void CVellicorView::ReloadActivePage()
{
    update();
}

} // namespace vellicor
