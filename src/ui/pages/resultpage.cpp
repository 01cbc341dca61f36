#include "ui/pages/resultpage.h"

#include "model/vellicordoc.h"
#include "optimiser/sequencing.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/dialogs/editpatterndlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/drawing/layoutdrawing.h"
#include "ui/grid/lenedititem.h"
#include "ui/pages/resultsummary.h"
#include "ui/uitext.h"
#include "ui/dialogs/updateinventorydlg.h"
#include "units/numeric.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

namespace vellicor {
namespace {

constexpr int kMsgTabForNewRow = 166;

// Row colours: a normal row, a layout that leaves a usable offcut, a requirement no layout cuts or
// a layout that cuts the clicked requirement, a requirement the selected layout cuts.
const QColor kGrey(192, 192, 192);
const QColor kCyan(0, 250, 250);
const QColor kLightBlue(128, 128, 255);
const QColor& kLightRed = kFlaggedRowColour;

enum PartColumn { PartName = 1, PartRequired, PartOver };

QString Text(int control)
{
    return UiText(DialogTextId(CSResultPage::Id, control));
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Percent(double fraction)
{
    return Q(FormatNumber(100.0 * fraction, 1));
}

bool CutsPart(const CLayout& layout, const std::string& name)
{
    for (const auto& slit : layout.SlitPositions)
        if (slit->PartName() == name)
            return true;
    return false;
}

bool CutByAnyLayout(const CLayoutList& layouts, const std::string& name)
{
    for (const auto& layout : layouts)
        if (CutsPart(*layout, name))
            return true;
    return false;
}

} // namespace

CSResultPage::CSResultPage(CVellicorDoc& doc, UiServices services, ResultServices results, QWidget* parent)
    : CSPage(Id, kTabTip, doc, services, parent), results_(std::move(results))
{
}

QPushButton* CSResultPage::Button(int id) const
{
    return FindButton(this, id);
}

void CSResultPage::OnInitDialog()
{
    CSGridWnd* patterns = CreateGrid("IDR_RES_PAT_OGL");
    patterns->setObjectName(QString::number(IdPatternGrid));
    // The thickness is in mm whatever the length unit.
    for (int col : {PatWidth, PatRestWidth, PatLength})
        patterns->SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetControl(CellControl::LenEdit));
    patterns->SetAllowDeleteRows(false);
    patterns->SetAllowInsertRows(false);
    patterns->SetStyleRange(CGridRange::Cols(PatName, PatFillerUtilisation), CGridStyle().SetReadOnly(true));

    partGrid_ = new CSGridWnd("IDR_RES_PART_OGL", Services(), this);
    partGrid_->setObjectName(QString::number(IdPartGrid));
    partGrid_->SetAllowDeleteRows(false);
    partGrid_->SetAllowInsertRows(false);

    for (CSGridWnd* grid : {patterns, partGrid_})
        grid->SetStyleRange(CGridRange::Table(), CGridStyle().SetTooltip(UiText(kMsgTabForNewRow)));
    BuildLayout();
    connect(patterns, &CSGridWnd::Notification, this, &CSResultPage::OnPatternNotification);
    connect(partGrid_, &CSGridWnd::Notification, this, &CSResultPage::OnPartNotification);

    CSPage::OnInitDialog();

    patterns->SetCurrentCell(1, 1);
    partGrid_->SetCurrentCell(1, 1);
    patterns->setFocus();
    if (GetDocument().InventoryUpdated != 0)
        Button(IdUpdateInventory)->setEnabled(false);
}

void CSResultPage::BuildLayout()
{
    CSGridWnd* patterns = GetGrid();
    layout()->removeWidget(patterns);

    summary_ = new QTextEdit(this);
    summary_->setObjectName(QString::number(IdSummary));
    summary_->setReadOnly(true);
    drawing_ = new CLayoutDrawing(this);
    changeCost_ = new QLabel(this);
    changeCost_->setObjectName(QString::number(IdChangeCost));
    orderNo_ = new QLineEdit(this);
    orderNo_->setObjectName(QString::number(IdOrderNo));

    // The layouts with the drawing of the selected one, and their commands beside them.
    auto* moves = new QHBoxLayout;
    for (int id : {IdUp, IdDown}) {
        QPushButton* button = CreateButton(this, Id, id);
        button->setToolTip(UiText(id));
        moves->addWidget(button);
    }
    auto* patternGroup = new QGroupBox(UiText(ids::ResultPatternGroup), this);
    auto* patternButtons = new QHBoxLayout(patternGroup);
    patternButtons->addWidget(CreateButton(this, Id, IdDelete));
    patternButtons->addWidget(CreateButton(this, Id, IdEdit));
    auto* commands = new QVBoxLayout;
    commands->addWidget(new QLabel(UiText(ids::ResultMovePattern), this));
    commands->addLayout(moves);
    commands->addWidget(patternGroup);
    auto* cost = new QHBoxLayout;
    cost->addWidget(new QLabel(UiText(ids::ResultChangeCost), this));
    cost->addWidget(changeCost_, 1);
    commands->addLayout(cost);
    commands->addStretch(1);

    auto* top = new QWidget(this);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto* patternColumn = new QVBoxLayout;
    patternColumn->addWidget(patterns, 1);
    patternColumn->addWidget(drawing_);
    topLayout->addLayout(patternColumn, 1);
    topLayout->addLayout(commands);

    // What each requirement got beside the summary, and the booking under them.
    auto* figures = new QSplitter(Qt::Horizontal, this);
    figures->addWidget(partGrid_);
    figures->addWidget(summary_);
    figures->setStretchFactor(0, 2);
    figures->setStretchFactor(1, 3);
    auto* booking = new QHBoxLayout;
    auto* orderLabel = new QLabel(Text(IdOrderNo), this);
    orderLabel->setBuddy(orderNo_);
    booking->addWidget(orderLabel);
    booking->addWidget(orderNo_);
    booking->addWidget(CreateButton(this, Id, IdUpdateInventory));
    booking->addStretch(1);
    auto* bottom = new QWidget(this);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(figures, 1);
    bottomLayout->addLayout(booking);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout()->addWidget(splitter);

    connect(Button(IdUp), &QPushButton::clicked, this, &CSResultPage::OnUp);
    connect(Button(IdDown), &QPushButton::clicked, this, &CSResultPage::OnDown);
    connect(Button(IdDelete), &QPushButton::clicked, this, &CSResultPage::OnDelete);
    connect(Button(IdEdit), &QPushButton::clicked, this, &CSResultPage::OnEdit);
    connect(Button(IdUpdateInventory), &QPushButton::clicked, this, &CSResultPage::OnUpdateInventory);
}

bool CSResultPage::UpdateData(bool save)
{
    CSGridWnd* patterns = GetGrid();
    if (!patterns)
        return true;
    CVellicorDoc& doc = GetDocument();
    const bool byLength = doc.QtyByLength != 0;
    for (int col : {PatThickness, PatWeight, PatPartUtilisation, PatFillerUtilisation})
        patterns->HideCols(col, col, byLength);
    patterns->HideCols(PatIndex, PatIndex);
    if (!save) {
        orderNo_->setText(Q(doc.OrderNo));
        return CSPage::UpdateData(false);
    }
    // A typed order number is kept like any other change of the job.
    const std::string orderNo = orderNo_->text().toStdString();
    if (orderNo != doc.OrderNo) {
        doc.OrderNo = orderNo;
        doc.SetModifiedFlag();
        emit DocumentChanged();
    }
    if (patterns->IsModified())
        StoreGrid();
    return true;
}

void CSResultPage::LoadGrid()
{
    LoadResults();
}

void CSResultPage::StoreGrid()
{
    GetGrid()->TransferCurrentCell();
    GetDocument().SetModifiedFlag();
    GetGrid()->SetModified(false);
    emit DocumentChanged();
}

void CSResultPage::LoadResults()
{
    loading_ = true;
    LoadPatternGrid();
    LoadPartGrid();
    const CVellicorDoc& doc = GetDocument();
    ShowResultSummary(doc, results_.printer, *summary_);
    summary_->moveCursor(QTextCursor::Start);
    Loaded = 1;
    changeCost_->setText(Q(FormatFixed(ChangeCost(doc.Layouts), 1)));
    for (int id : {IdUp, IdDown, IdDelete, IdEdit})
        Button(id)->setEnabled(doc.HasResults());
    loading_ = false;
    ShowSelectedLayout();
}

void CSResultPage::LoadPatternGrid()
{
    CSGridWnd& grid = *GetGrid();
    const CVellicorDoc& doc = GetDocument();
    const CLayoutList& layouts = doc.Layouts;
    if (layouts.IsEmpty()) {
        Services().messages.Tell(kMsgNoResult);
        grid.SetRowCount(0);
        grid.SetRowCount(1);
    } else {
        const double minOffCut = doc.Settings.MinOffCut;
        grid.LockUpdate(true);
        grid.SetRowCount(layouts.GetCount());
        for (int r = 1; r <= layouts.GetCount(); ++r) {
            const CLayout& layout = *layouts.GetAt(r - 1);
            const CCoil& coil = *layout.Coil;
            const double rest = layout.RestWidth();
            grid.SetValue(r, PatName, Q(coil.Name));
            grid.SetValue(r, PatWidth, PlainNumberText(coil.Width));
            grid.SetValue(r, PatMaterial, Q(coil.Material));
            grid.SetValue(r, PatThickness, PlainNumberText(coil.RealThickness()));
            grid.SetValue(r, PatWeight, Q(FormatNumber(layout.Weight, 1)));
            grid.SetValue(r, PatRestWidth, PlainNumberText(rest));
            grid.SetValue(r, PatDetails, Q(layout.WidthsText()));
            grid.SetValue(r, PatLength, Q(FormatNumber(layout.UsedLength(), 1)));
            grid.SetValue(r, PatUtilisation, Percent(layout.OverallUtilisation()));
            grid.SetValue(r, PatPartUtilisation, Percent(layout.PartUtilisation()));
            grid.SetValue(r, PatFillerUtilisation, Percent(layout.FillerUtilisation()));
            grid.SetValue(r, PatIndex, QString::number(r));
            // A rest of exactly the minimum offcut width is not flagged.
            const bool offcut = rest > minOffCut && !IsEqual(rest, minOffCut);
            grid.SetStyleRange(CGridRange::Rows(r, r),
                               CGridStyle().SetInterior(offcut ? kCyan : kGrey).SetTooltip(Q(layout.DetailText())));
        }
        grid.LockUpdate(false);
    }
    grid.Redraw();
    grid.SetModified(false);
}

void CSResultPage::LoadPartGrid()
{
    const CVellicorDoc& doc = GetDocument();
    if (doc.Parts.empty() && doc.Slits.empty())
        return;
    CSGridWnd& grid = *partGrid_;
    if (doc.Layouts.IsEmpty()) {
        grid.SetRowCount(0);
        grid.SetRowCount(1);
    } else {
        std::vector<std::string> names;
        std::vector<std::string> sizes;
        std::vector<double> required;
        std::vector<double> over;
        doc.BuildProductionTable(names, sizes, required, over);
        const int rows = static_cast<int>(names.size());
        grid.LockUpdate(true);
        grid.SetRowCount(rows);
        for (int r = 1; r <= rows; ++r) {
            const std::size_t i = static_cast<std::size_t>(r - 1);
            grid.SetValue(r, PartName, Q(names[i]));
            grid.SetValue(r, PartRequired, Q(FormatNumber(required[i])));
            grid.SetValue(r, PartOver, Q(FormatNumber(over[i])));
            const QColor& colour = CutByAnyLayout(doc.Layouts, names[i]) ? kGrey : kLightBlue;
            grid.SetStyleRange(CGridRange::Rows(r, r),
                               CGridStyle().SetInterior(colour).SetTooltip(Q(names[i] + " " + sizes[i])));
        }
        grid.LockUpdate(false);
    }
    grid.Redraw();
    grid.SetModified(false);
}

int CSResultPage::GetSelectedLayout() const
{
    const CLayoutList& layouts = GetDocument().Layouts;
    int row = 0;
    int col = 0;
    GetGrid()->GetCurrentCell(row, col);
    if (layouts.IsEmpty() || row == 0)
        return -1;
    const int k = ParseInt(GetGrid()->GetValue(row, PatIndex).toStdString()) - 1;
    return k >= 0 && k < layouts.GetCount() ? k : -1;
}

void CSResultPage::ColourRows(CSGridWnd& grid, const QColor& colour)
{
    if (grid.GetRowCount() > 0)
        grid.SetStyleRange(CGridRange::Rows(1, grid.GetRowCount()), CGridStyle().SetInterior(colour));
}

void CSResultPage::HighlightPartsOf(int layout)
{
    ColourRows(*GetGrid(), kGrey);
    ColourRows(*partGrid_, kGrey);
    for (const auto& slit : GetDocument().Layouts.GetAt(layout)->SlitPositions) {
        const QString name = Q(slit->PartName());
        for (int r = 1; r <= partGrid_->GetRowCount(); ++r) {
            if (partGrid_->GetValue(r, PartName) == name) {
                partGrid_->SetStyleRange(CGridRange::Rows(r, r), CGridStyle().SetInterior(kLightRed));
                break;
            }
        }
    }
}

void CSResultPage::ShowSelectedLayout()
{
    const int k = GetSelectedLayout();
    if (k < 0)
        drawing_->Clear();
    else
        drawing_->SetDraft(DraftOf(*GetDocument().Layouts.GetAt(k)), GetDocument().Settings.MinOffCut);
}

void CSResultPage::OnPatternNotification(int code)
{
    if (loading_)
        return;
    CSGridWnd& grid = *GetGrid();
    switch (code) {
    case NotifyRowAppended: {
        // The new row starts as a copy of the coil of the row above; it never reaches the job.
        int row = 0;
        int col = 0;
        grid.GetCurrentCell(row, col);
        if (row >= 2)
            for (int c : {PatWidth, PatMaterial, PatThickness})
                grid.SetValue(row, c, grid.GetValue(row - 1, c));
        break;
    }
    case NotifyRowChanged:
        if (Loaded) {
            const int k = GetSelectedLayout();
            if (k >= 0)
                HighlightPartsOf(k);
        }
        break;
    case NotifyMovedCell:
        ShowSelectedLayout();
        break;
    default:
        break;
    }
}

void CSResultPage::OnPartNotification(int code)
{
    if (loading_ || code != NotifyLeftClick)
        return;
    CSGridWnd& patterns = *GetGrid();
    ColourRows(patterns, kGrey);
    if (!Loaded)
        return;
    int row = 0;
    int col = 0;
    partGrid_->GetCurrentCell(row, col);
    const std::string name = partGrid_->GetValue(row, PartName).toStdString();
    const CLayoutList& layouts = GetDocument().Layouts;
    for (int r = 1; r <= patterns.GetRowCount(); ++r) {
        const int k = ParseInt(patterns.GetValue(r, PatIndex).toStdString()) - 1;
        if (k >= 0 && k < layouts.GetCount() && CutsPart(*layouts.GetAt(k), name))
            patterns.SetStyleRange(CGridRange::Rows(r, r), CGridStyle().SetInterior(kLightBlue));
    }
}

void CSResultPage::LayoutsChanged()
{
    // Hand-made changes of the result are kept like any other change of the job.
    GetDocument().SetModifiedFlag();
    emit DocumentChanged();
    LoadResults();
}

bool CSResultPage::MayChangeResult()
{
    return GetDocument().InventoryUpdated == 0
        || Services().messages.Ask(ids::BookedResultAsk, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void CSResultPage::OnEdit()
{
    const int k = GetSelectedLayout();
    if (k < 0 || !MayChangeResult())
        return;
    CEditPatternDlg dialog(GetDocument(), k, Services(), this);
    if (dialog.exec() == QDialog::Accepted)
        LayoutsChanged();
}

void CSResultPage::OnDelete()
{
    int row = 0;
    int col = 0;
    GetGrid()->GetCurrentCell(row, col);
    const int k = GetSelectedLayout();
    if (k < 0 || !MayChangeResult())
        return;
    CLayoutList& layouts = GetDocument().Layouts;
    layouts.Remove(layouts.GetAt(k));
    LayoutsChanged();
    if (row > layouts.GetCount())
        GetGrid()->SetCurrentCell(row - 1, col);
}

void CSResultPage::OnUp()
{
    int row = 0;
    int col = 0;
    GetGrid()->GetCurrentCell(row, col);
    if (row < 2 || !MayChangeResult())
        return;
    GetDocument().Layouts.MoveUp(row - 1);
    LayoutsChanged();
    GetGrid()->SetCurrentCell(row - 1, col);
}

void CSResultPage::OnDown()
{
    int row = 0;
    int col = 0;
    GetGrid()->GetCurrentCell(row, col);
    if (row < 1 || row >= GetDocument().Layouts.GetCount() || !MayChangeResult())
        return;
    GetDocument().Layouts.MoveDown(row - 1);
    LayoutsChanged();
    GetGrid()->SetCurrentCell(row + 1, col);
}

void CSResultPage::OnUpdateInventory()
{
    CVellicorDoc& doc = GetDocument();
    doc.OrderNo = orderNo_->text().toStdString();
    UpdateInventory(doc, Services(), results_, this);
    emit DocumentChanged();
    if (doc.InventoryUpdated != 0)
        Button(IdUpdateInventory)->setEnabled(false);
}

} // namespace vellicor
