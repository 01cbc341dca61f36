#include "ui/pages/inputpage.h"

#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/dialogs/csvimportdlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/grid/lenedititem.h"
#include "ui/uitext.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

bool Contains(const std::vector<int>& cols, int col)
{
    return std::find(cols.begin(), cols.end(), col) != cols.end();
}

} // namespace

QString DerivedText(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    return decimals < 0 ? PlainNumberText(value) : QString::fromStdString(FormatFixed(value, decimals));
}

CSInputPage::CSInputPage(int templateId, int tipId, CVellicorDoc& doc, UiServices services,
                         QWidget* parent)
    : CSPage(templateId, tipId, doc, services, parent)
{
}

CSGridWnd* CSInputPage::CreateInputGrid(const GridSetup& setup)
{
    CSGridWnd* grid = CreateGrid(setup.layout);
    for (int col : setup.lengthCols)
        grid->SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetControl(CellControl::LenEdit));
    for (int col = 1; col <= grid->GetColCount(); ++col)
        grid->SetExpressionColumn(col, Contains(setup.numericExprCols, col), Contains(setup.textExprCols, col));
    grid->SetStyleRange(CGridRange::Table(), CGridStyle().SetTooltip(UiText(kTableTip)));
    grid->SetStyleRange(CGridRange::Cols(setup.materialCol, setup.materialCol),
                        CGridStyle().SetControl(CellControl::ChoiceList));
    materialCol_ = setup.materialCol;
    weightModeCols_ = setup.weightModeCols;
    pendingCols_ = setup.pendingCols;
    numberCols_ = setup.numberCols;
    nonNegativeCols_ = setup.nonNegativeCols;
    connect(grid, &CSGridWnd::Notification, this, &CSInputPage::OnGridNotification);
    // After the editor has closed, so that the message does not take the focus from it.
    connect(grid, &CSGridWnd::CellTyped, this, &CSInputPage::CheckTypedCell, Qt::QueuedConnection);

    buttons_ = new QHBoxLayout;
    static_cast<QBoxLayout*>(layout())->addLayout(buttons_);
    return grid;
}

QPushButton* CSInputPage::AddButton(int controlId)
{
    auto* button = new QPushButton(UiText(DialogTextId(GetTemplateId(), controlId)), this);
    button->setObjectName(QString::number(controlId));
    button->setAutoDefault(false);
    buttons_->addWidget(button);
    return button;
}

void CSInputPage::FinishInit(const QString& layoutName)
{
    CSGridWnd* grid = GetGrid();
    grid->SetCurrentCell(1, 1);
    grid->setFocus();
    grid->SetLayoutName(layoutName);
    grid->SetModified(false);
}

void CSInputPage::BeginLoad(int rows)
{
    CSGridWnd* grid = GetGrid();
    pending_ = 0;
    lengthMode_ = GetDocument().QtyByLength != 0;
    for (int col : weightModeCols_)
        grid->HideCols(col, col, lengthMode_);
    if (Services().materialChoices)
        grid->SetStyleRange(CGridRange::Cols(materialCol_, materialCol_),
                            CGridStyle().SetChoices(QString::fromStdString(Services().materialChoices())));
    grid->GetCurrentCell(loadRow_, loadCol_);
    grid->LockUpdate(true);
    // Fresh rows: nothing of an earlier load (colours, tooltips, cells no load writes) survives.
    grid->SetRowCount(0);
    grid->SetRowCount(std::max(rows, 1));
}

void CSInputPage::EndLoad()
{
    CSGridWnd* grid = GetGrid();
    grid->LockUpdate(false);
    grid->Redraw();
    if (loadRow_ > 0)
        grid->SetCurrentCell(std::min(loadRow_, grid->GetRowCount()), loadCol_);
}

QString CSInputPage::Text(int row, int col) const
{
    return GetGrid()->GetValue(row, col);
}

QString CSInputPage::Name(int row) const
{
    return Text(row, 1).trimmed();
}

double CSInputPage::Number(int row, int col) const
{
    return GetGrid()->GetNumber(row, col);
}

int CSInputPage::Integer(int row, int col) const
{
    return ParseInt(StdText(row, col));
}

std::string CSInputPage::StdText(int row, int col) const
{
    return Text(row, col).toStdString();
}

void CSInputPage::SetNumber(int row, int col, double value)
{
    GetGrid()->SetValue(row, col, PlainNumberText(value));
}

void CSInputPage::PaintRow(int row, bool flagged)
{
    GetGrid()->SetStyleRange(CGridRange::Rows(row, row),
                             CGridStyle().SetInterior(flagged ? kFlaggedRowColour : kNormalRowColour));
}

void CSInputPage::CopyFromRowAbove(int row, std::initializer_list<int> cols)
{
    for (int col : cols)
        GetGrid()->SetValue(row, col, Text(row - 1, col));
}

int CSInputPage::FirstImportRow(const std::vector<int>& emptyCols) const
{
    const int last = GetGrid()->GetRowCount();
    const bool empty = std::all_of(emptyCols.begin(), emptyCols.end(),
                                   [&](int col) { return Text(last, col).isEmpty(); });
    return empty ? last : last + 1;
}

double CSInputPage::ConversionThickness(int row, int col) const
{
    return lengthMode_ ? kNominalThickness : Number(row, col);
}

void CSInputPage::RecomputePending()
{
    const int row = pending_;
    pending_ = 0;
    if (row > 0 && row <= GetGrid()->GetRowCount())
        RecomputeRow(row);
}

bool CSInputPage::ValidateRequirementRows(const std::function<bool(int)>& firstNeedsName,
                                          const std::function<bool(int)>& zeroSize,
                                          std::initializer_list<const Records*> others) const
{
    IUserMessages& messages = Services().messages;
    const int rows = GetGrid()->GetRowCount();
    auto taken = [&](const QString& name) {
        for (const Records* records : others)
            for (const auto& record : *records)
                if (name.compare(QString::fromStdString(record->Name).trimmed(), Qt::CaseInsensitive) == 0)
                    return true;
        return false;
    };
    for (int r = 1; r <= rows; ++r) {
        const QString name = Name(r);
        if (name.isEmpty() && (r > 1 || firstNeedsName(r))) {
            messages.Tell(kMsgEmptyPartName, {std::to_string(r)});
            return false;
        }
        if (zeroSize(r)) {
            messages.Tell(kMsgZeroPartSize, {std::to_string(r)});
            return false;
        }
        if (name.isEmpty())
            continue;
        bool duplicate = taken(name);
        for (int later = r + 1; later <= rows && !duplicate; ++later)
            duplicate = name == Name(later);
        if (duplicate) {
            messages.Tell(kMsgDuplicatePartName, {name.toStdString()}, MessageIcon::Question);
            return false;
        }
    }
    return true;
}

void CSInputPage::CheckTypedCell(int row, int col, const QString& typed)
{
    CSGridWnd* grid = GetGrid();
    if (!Contains(numberCols_, col) || row > grid->GetRowCount())
        return;
    const std::string text = typed.trimmed().toStdString();
    if (text.empty())
        return;
    const bool length = grid->GetStyle(row, col).control.value_or(CellControl::Edit) == CellControl::LenEdit;
    const std::vector<std::string> where{std::to_string(row), grid->GetValue(0, col).simplified().toStdString()};
    if (!(length ? IsLengthText(text) : IsNumberText(text)))
        Services().messages.Tell(ids::CellNotNumber, {where[0], where[1], text});
    else if (Contains(nonNegativeCols_, col) && Number(row, col) < 0)
        Services().messages.Tell(ids::CellNegative, where);
    else
        return;
    // The message box took the focus; typing goes on in the grid.
    grid->setFocus();
}

void CSInputPage::OnGridNotification(int code)
{
    int row = 0;
    int col = 0;
    GetGrid()->GetCurrentCell(row, col);
    switch (code) {
    case NotifyCellChanged:
        RecomputePending();
        break;
    case NotifyMovedCell:
        if (Contains(pendingCols_, col))
            pending_ = row;
        break;
    case NotifyRowAppended:
        if (row >= 2)
            OnRowAppended(row);
        break;
    default:
        break;
    }
}

void CSInputPage::ImportCsv(const CsvImportPlan& plan)
{
    QFileDialog dialog(this, UiText(kCsvFileTitle), QString(), QStringLiteral("Csv File(*.csv)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ImportCsvFile(plan, dialog.selectedFiles().front());
}

void CSInputPage::ImportCsvFile(const CsvImportPlan& plan, const QString& path)
{
    std::vector<std::string> items;
    std::vector<std::string> examples;
    for (const CsvItem& item : plan.items) {
        items.push_back(Strings().Text(item.textId));
        examples.push_back(item.example);
    }
    CCsvImportDlg dialog(items, examples, Strings().Text(plan.captionId), path.toStdString(), plan.section,
                         Services(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CSGridWnd* grid = GetGrid();
    grid->LockUpdate(true);
    int row = FirstImportRow(plan.emptyCols);
    for (int i = 0; i < dialog.GetRowCount(); ++i, ++row) {
        grid->SetRowCount(std::max(row, grid->GetRowCount()));
        std::vector<std::string> values;
        SplitString(dialog.GetRow(i), values, "::");
        for (std::size_t k = 0; k < values.size() && k < plan.items.size(); ++k) {
            const int col = plan.items[k].col;
            const QString value = QString::fromStdString(Trim(values[k]));
            grid->SetValue(row, col, Contains(plan.lengthCols, col) ? LenEditTypedValue(value, false) : value);
        }
    }
    grid->LockUpdate(false);
    grid->Redraw();
    grid->SetModified(true);
}

} // namespace vellicor
