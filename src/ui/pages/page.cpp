#include "ui/pages/page.h"

#include "model/vellicordoc.h"
#include "ui/grid/gridwnd.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"

#include <QKeyEvent>
#include <QUndoStack>
#include <QVBoxLayout>

#include <optional>

namespace vellicor {
namespace {

// Made from the first page's font; kept for the whole run.
std::optional<QFont>& SharedBoldFont()
{
    static std::optional<QFont> font;
    return font;
}

} // namespace

CSPage::CSPage(int templateId, int tipId, CVellicorDoc& doc, UiServices services, QWidget* parent)
    : QWidget(parent), templateId_(templateId), tipId_(tipId), doc_(doc), services_(services)
{
    new QVBoxLayout(this);
    SetHelpContext(this, templateId);
}

QString CSPage::GetCaption() const
{
    return UiText(DialogTextId(templateId_));
}

QString CSPage::GetTabTip() const
{
    return UiText(tipId_);
}

CSGridWnd* CSPage::CreateGrid(const QString& layout)
{
    grid_ = new CSGridWnd(layout, services_, this);
    connect(grid_, &CSGridWnd::Edited, this, &CSPage::Edited);
    static_cast<QVBoxLayout*>(this->layout())->insertWidget(0, grid_, 1);
    return grid_;
}

void CSPage::OnInitDialog()
{
    UpdateData(false);
    if (!SharedBoldFont()) {
        QFont bold = font();
        bold.setWeight(QFont::ExtraBold);
        SharedBoldFont() = bold;
    }
}

void CSPage::SetBoldFont(QWidget* control)
{
    if (SharedBoldFont())
        control->setFont(*SharedBoldFont());
}

void CSPage::OnSetActive()
{
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
        return;
    }
    UpdateData(false);
}

bool CSPage::OnKillActive()
{
    return UpdateData(true);
}

bool CSPage::UpdateData(bool save)
{
    if (!grid_)
        return true;
    if (!save) {
        LoadGrid();
        grid_->SetModified(false);
        grid_->UndoStack()->clear();
        return true;
    }
    grid_->TransferCurrentCell();
    if (!ValidateGrid())
        return false;
    if (grid_->IsModified()) {
        StoreGrid();
        doc_.ClearResults();
        grid_->SetModified(false);
        emit DocumentChanged();
    }
    return true;
}

} // namespace vellicor
