#include "ui/dialogs/updateinventorydlg.h"

#include "inventory/bookingkey.h"
#include "inventory/bookingplan.h"
#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/gridwnd.h"
#include "ui/helpcontext.h"
#include "ui/grid/lenedititem.h"
#include "ui/uitext.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QDateTime>
#include <QLocale>
#include <QVBoxLayout>

namespace vellicor {
namespace {

const QColor kGrey(192, 192, 192);

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The date and time as the user's locale writes them; empty for an invalid date.
QString DateText(const OleDate& date)
{
    const auto civil = CivilOf(date);
    if (!civil)
        return {};
    const QDateTime when(QDate(civil->year, civil->month, civil->day), QTime(civil->hour, civil->minute, civil->second));
    return QLocale().toString(when, QLocale::ShortFormat);
}

} // namespace

CUpdateInventoryDlg::CUpdateInventoryDlg(CVellicorDoc& doc, IInventoryStore& inventory, const CsMateDb& materials,
                                         UiServices services, QWidget* parent)
    : QDialog(parent), doc_(doc), inventory_(inventory), grid_(new CSGridWnd("IDR_DB_STOCK_OGL", services, this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    grid_->setObjectName(QString::number(IdGrid));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(CreateOkCancel(this, Id));
    resize(860, 360);

    grid_->SetAllowPaste(true);
    grid_->SetAllowAppendRows(false);
    // Rows are matched to the offcuts by position: a deleted row would book another offcut's values.
    grid_->SetAllowDeleteRows(false);
    grid_->SetCurrentCell(1, 1);
    grid_->setFocus();

    // The thickness is in mm whatever the length unit.
    for (int col : {ColLength, ColWidth, ColLeftTrim, ColRightTrim})
        grid_->SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetControl(CellControl::LenEdit));
    grid_->SetStyleRange(CGridRange::Cols(ColMaterial, ColMaterial),
                         CGridStyle().SetControl(CellControl::ChoiceList).SetChoices(Q(materials.MaterialChoiceList())));
    grid_->SetExpressionColumn(ColName, false, true);
    grid_->SetExpressionColumn(ColLength, true, false);
    grid_->SetExpressionColumn(ColWidth, true, false);
    grid_->SetExpressionColumn(ColRemarks, true, true);
    for (int col : {ColId, ColType, ColLeftTrim, ColRightTrim, ColSel, ColOrderNo})
        grid_->HideCols(col, col);
    for (int col = ColId; col <= ColRemarks; ++col)
        if (col != ColName && col != ColLength && col != ColWidth && col != ColRemarks)
            grid_->SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetInterior(kGrey).SetReadOnly(true));

    grid_->SetLayoutName(QStringLiteral("SLIT_UPDT_OFF_DLG"));
    grid_->SetModified(false);

    lists_ = FillLists(doc_);
    FillGrid();
}

void CUpdateInventoryDlg::FillGrid()
{
    const auto& offcuts = lists_.Offcuts;
    grid_->LockUpdate(true);
    grid_->SetRowCount(static_cast<int>(offcuts.size()));
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        const CsStockRec& rec = offcuts[static_cast<std::size_t>(r - 1)];
        grid_->SetValue(r, ColId, QString::number(rec.Id));
        grid_->SetValue(r, ColName, Q(rec.Name));
        grid_->SetValue(r, ColLength, PlainNumberText(rec.Length));
        grid_->SetValue(r, ColWidth, PlainNumberText(rec.Width));
        grid_->SetValue(r, ColQty, QString::number(rec.Qty));
        grid_->SetValue(r, ColMaterial, Q(rec.Material));
        grid_->SetValue(r, ColThickness, PlainNumberText(rec.Thickness));
        grid_->SetValue(r, ColCostPerKg, Q(FormatNumber(rec.CostPerKg)));
        grid_->SetValue(r, ColLeftTrim, PlainNumberText(rec.LeftTrim));
        grid_->SetValue(r, ColRightTrim, PlainNumberText(rec.RightTrim));
        grid_->SetValue(r, ColDate, DateText(rec.Date));
        grid_->SetValue(r, ColRemarks, Q(rec.Remarks));
    }
    grid_->LockUpdate(false);
    grid_->Redraw();
    grid_->SetModified(false);
}

void CUpdateInventoryDlg::ReadBackOffcuts()
{
    // Rows a paste added beyond the offcuts have nothing to go to. The cost is not read back: the
    // grid shows it rounded and it cannot be edited.
    auto& offcuts = lists_.Offcuts;
    const int rows = std::min(grid_->GetRowCount(), static_cast<int>(offcuts.size()));
    for (int r = 1; r <= rows; ++r) {
        CsStockRec& rec = offcuts[static_cast<std::size_t>(r - 1)];
        rec.Name = grid_->GetValue(r, ColName).toStdString();
        rec.Length = grid_->GetNumber(r, ColLength);
        rec.Width = grid_->GetNumber(r, ColWidth);
        rec.Remarks = grid_->GetValue(r, ColRemarks).toStdString();
    }
}

void CUpdateInventoryDlg::accept()
{
    grid_->TransferCurrentCell();
    if (grid_->IsModified())
        ReadBackOffcuts();
    BookingRequest request{doc_.OrderNo, lists_.UsedStock, lists_.Offcuts, doc_.GetPathName(), {}, {},
                           BookingKey(doc_)};
    const int updated = doc_.InventoryUpdated;
    doc_.InventoryUpdated = 1;
    request.JobBytes = JobFileBytes(doc_);
    doc_.InventoryUpdated = updated;
    const int booked = inventory_.Book(request);
    if (booked == kInventoryAlreadyBooked) {
        // Booked before, from a copy of the job or a run whose job file was not saved.
        doc_.InventoryUpdated = 1;
        doc_.SetModifiedFlag(false);
    }
    if (booked != kInventoryDone) {
        QDialog::reject();
        return;
    }
    // The booking saved the job with its flag.
    lists_.Offcuts = std::move(request.Offcuts);
    doc_.InventoryUpdated = 1;
    doc_.SetModifiedFlag(false);
    QDialog::accept();
}

bool UpdateInventory(CVellicorDoc& doc, UiServices services, const ResultServices& results, QWidget* parent)
{
    if (CheckInventoryUpdate(doc, services.messages) != BookingCheck::Proceed)
        return false;
    CUpdateInventoryDlg dialog(doc, results.inventory, results.materials, services, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vellicor
