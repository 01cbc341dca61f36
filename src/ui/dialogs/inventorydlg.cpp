#include "ui/dialogs/inventorydlg.h"

#include "inventory/inventory.h"
#include "inventory/stockchanges.h"
#include "inventory/stockdb.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/dialogs/csvimportdlg.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/gridwnd.h"
#include "ui/helpcontext.h"
#include "ui/grid/lenedititem.h"
#include "ui/grid/localedate.h"
#include "ui/uitext.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

namespace vellicor {
namespace {

constexpr int kCostHeader = 249;
constexpr int kCsvCaption = 255;
constexpr int kCaptionSelect = 258;
constexpr int kCaptionEdit = 259;
constexpr int kCaptionStocksUsed = 260;

constexpr const char* kCsvItems = "Name::L::W::Qty::Mate::Cost/kg::LeftTrim::RightTrim::Remarks";
constexpr const char* kCsvExamples = "Name::2500::1250::99::steel::50::10::10::Remarks text";
constexpr const char* kCsvSection = "StockDb_Csv";

// The texts of the stock types, by their number.
const QStringList& TypeTexts()
{
    static const QStringList texts{QStringLiteral("Prime"), QStringLiteral("Offcut")};
    return texts;
}

const QColor kReadOnlyColour{192, 192, 192};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QString& text)
{
    return text.toStdString();
}

std::vector<std::string> SplitItems(const std::string& text)
{
    std::vector<std::string> items;
    SplitString(text, items, "::");
    return items;
}

// A coil count as the files keep it: whole, from 0 to 65535.
std::uint16_t CoilCount(double value)
{
    if (!(value > 0))
        return 0;
    return value >= 65535 ? std::uint16_t{65535} : static_cast<std::uint16_t>(value);
}

// The columns stock records and stocks-used records share.
template <typename Rec>
void FillSharedCols(CSGridWnd& grid, int row, const Rec& rec)
{
    using Col = CsInventoryDlg::Col;
    grid.SetValue(row, Col::ColId, QString::number(rec.Id));
    grid.SetValue(row, Col::ColLength, PlainNumberText(rec.Length));
    grid.SetValue(row, Col::ColWidth, PlainNumberText(rec.Width));
    grid.SetValue(row, Col::ColThickness, PlainNumberText(rec.Thickness));
    grid.SetValue(row, Col::ColQty, QString::number(rec.Qty));
    grid.SetValue(row, Col::ColMaterial, Q(rec.Material));
    grid.SetValue(row, Col::ColDate, FormatLocaleDateTime(rec.Date));
}

} // namespace

CsInventoryDlg::CsInventoryDlg(Mode mode, UiServices services, QWidget* parent)
    : CBoldFontDlg(parent), mode_(mode), services_(services),
      grid_(new CSGridWnd(QStringLiteral("IDR_DB_STOCK_OGL"), services, this)),
      buttons_(CreateOkCancel(this, Id)),
      clear_(new QPushButton(UiText(DialogTextId(Id, IdClearStockUsed)), this)),
      import_(new QPushButton(UiText(DialogTextId(Id, IdImportCsv)), this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    clear_->setObjectName(QString::number(IdClearStockUsed));
    import_->setObjectName(QString::number(IdImportCsv));
    clear_->setAutoDefault(false);
    import_->setAutoDefault(false);

    // The two extra buttons share one place; at most one of them is shown.
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(clear_);
    buttonRow->addWidget(import_);
    buttonRow->addStretch();
    buttonRow->addWidget(buttons_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttonRow);

    connect(clear_, &QPushButton::clicked, this, &CsInventoryDlg::OnClearStockUsed);
    connect(import_, &QPushButton::clicked, this, &CsInventoryDlg::OnImportCsv);
}

CsInventoryDlg::CsInventoryDlg(CsStockDb& db, Mode mode, const std::string& materials, UiServices services,
                               QWidget* parent)
    : CsInventoryDlg(mode, services, parent)
{
    db_ = &db;
    SetUp(materials);
}

CsInventoryDlg::CsInventoryDlg(std::vector<CsStockUsedRec> used, IInventoryStore& inventory, UiServices services,
                               QWidget* parent)
    : CsInventoryDlg(Mode::StocksUsed, services, parent)
{
    used_ = std::move(used);
    inventory_ = &inventory;
    SetUp({});
}

void CsInventoryDlg::SetUp(const std::string& materials)
{
    // The thickness is in mm whatever the length unit.
    for (int col : {ColLength, ColWidth, ColLeftTrim, ColRightTrim})
        grid_->SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetControl(CellControl::LenEdit));
    grid_->SetValue(0, ColCostPerKg, UiText(kCostHeader));

    if (mode_ == Mode::Edit) {
        grid_->SetStyleRange(CGridRange::Cols(ColId, ColId), CGridStyle().SetReadOnly(true).SetInterior(kReadOnlyColour));
        grid_->SetStyleRange(CGridRange::Cols(ColType, ColType),
                             CGridStyle().SetControl(CellControl::ChoiceList).SetChoices(TypeTexts().join('\n') + '\n'));
        grid_->SetStyleRange(CGridRange::Cols(ColMaterial, ColMaterial),
                             CGridStyle().SetControl(CellControl::ChoiceList).SetChoices(Q(materials)));
    } else {
        grid_->SetAllowAppendRows(false);
        grid_->SetStyleRange(CGridRange::Table(), CGridStyle().SetReadOnly(true).SetInterior(kReadOnlyColour));
        grid_->SetStyleRange(CGridRange::Cols(ColSel, ColSel), CGridStyle().SetReadOnly(false));
    }

    grid_->HideCols(ColSel, ColOrderNo);
    clear_->hide();
    import_->hide();
    switch (mode_) {
    case Mode::Select:
        grid_->HideCols(ColSel, ColSel, false);
        grid_->HideCols(ColLeftTrim, ColDate);
        setWindowTitle(UiText(kCaptionSelect));
        grid_->SetLayoutName(QStringLiteral("SLIT_INV_SEL_DLG"));
        break;
    case Mode::StocksUsed:
        grid_->HideCols(ColOrderNo, ColOrderNo, false);
        grid_->HideCols(ColName, ColType);
        grid_->HideCols(ColCostPerKg, ColRightTrim);
        grid_->HideCols(ColRemarks, ColRemarks);
        clear_->show();
        buttons_->button(QDialogButtonBox::Cancel)->hide();
        setWindowTitle(UiText(kCaptionStocksUsed));
        grid_->SetLayoutName(QStringLiteral("SLIT_INV_STKS_USED_DLG"));
        break;
    case Mode::Edit:
        import_->show();
        // Planners sharing a database must see which inventory they are editing.
        setWindowTitle(services_.inventory ? QString::fromStdString(Strings().Format(
                                                 ids::StoreCaption, {Strings().Text(kCaptionEdit),
                                                                     services_.inventory->StoreName()}))
                                           : UiText(kCaptionEdit));
        grid_->SetLayoutName(QStringLiteral("SLIT_INV_DLG"));
        break;
    }

    // Wide enough for the columns on show, the row headers and the scroll bar.
    int width = 80;
    for (int c = 1; c <= grid_->GetColCount(); ++c)
        if (!grid_->IsColHidden(c))
            width += grid_->columnWidth(c - 1);
    resize(std::clamp(width, 520, 1000), 440);

    if (mode_ == Mode::StocksUsed)
        FillFromStockUsed();
    else
        FillFromDb();
}

void CsInventoryDlg::FillFromDb()
{
    grid_->LockUpdate(true);
    const int rows = static_cast<int>(db_->Records.size());
    // An empty inventory still needs a row to type into; a row left blank is no record.
    grid_->SetRowCount(rows == 0 && mode_ == Mode::Edit ? 1 : rows);
    for (int r = 1; r <= rows; ++r) {
        const CsStockRec& rec = db_->Records[static_cast<std::size_t>(r - 1)];
        FillSharedCols(*grid_, r, rec);
        grid_->SetValue(r, ColType, rec.Type < TypeTexts().size() ? TypeTexts()[rec.Type] : QString());
        grid_->SetValue(r, ColName, Q(rec.Name));
        grid_->SetValue(r, ColLeftTrim, PlainNumberText(rec.LeftTrim));
        grid_->SetValue(r, ColRightTrim, PlainNumberText(rec.RightTrim));
        // All digits, so that OK does not round the cost to the display decimals.
        grid_->SetValue(r, ColCostPerKg, PlainNumberText(rec.CostPerKg));
        grid_->SetValue(r, ColRemarks, Q(rec.Remarks));
        grid_->SetValue(r, ColSel, QString::number(rec.Sel));
    }
    grid_->SetModified(false);
    grid_->LockUpdate(false);
}

void CsInventoryDlg::FillFromStockUsed()
{
    grid_->LockUpdate(true);
    grid_->SetRowCount(static_cast<int>(used_.size()));
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        const CsStockUsedRec& rec = used_[static_cast<std::size_t>(r - 1)];
        FillSharedCols(*grid_, r, rec);
        grid_->SetValue(r, ColOrderNo, Q(rec.OrderNo));
    }
    grid_->LockUpdate(false);
}

void CsInventoryDlg::StoreToDb()
{
    db_->Records.clear();
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        if (grid_->IsRowBlank(r))
            continue;
        auto text = [this, r](int col) { return S(grid_->GetValue(r, col)); };
        auto number = [&text](int col) { return ParseDouble(text(col)); };
        CsStockRec rec;
        rec.Id = ParseInt(text(ColId));
        const QString type = grid_->GetValue(r, ColType);
        rec.Type = type.compare(TypeTexts()[CsStockRec::Offcut], Qt::CaseInsensitive) == 0 ? CsStockRec::Offcut
                                                                                            : CsStockRec::Prime;
        rec.Name = text(ColName);
        rec.Length = number(ColLength);
        rec.Width = number(ColWidth);
        rec.Thickness = number(ColThickness);
        rec.CostPerKg = number(ColCostPerKg);
        rec.LeftTrim = number(ColLeftTrim);
        rec.RightTrim = number(ColRightTrim);
        rec.Qty = CoilCount(ParseInt(text(ColQty)));
        rec.Material = text(ColMaterial);
        const QString date = grid_->GetValue(r, ColDate).trimmed();
        rec.Date = date.isEmpty() ? OleDateNow() : ParseLocaleDateTime(date);
        rec.Remarks = text(ColRemarks);
        rec.Sel = ParseInt(text(ColSel));
        db_->Records.push_back(std::move(rec));
    }
    // A typed id above LastId is not handed out again, and LastId cannot overflow.
    GiveNewIds(*db_);
}

bool CsInventoryDlg::HasThicknesses()
{
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        if (!grid_->IsRowBlank(r) && !(ParseDouble(S(grid_->GetValue(r, ColThickness))) > 0)) {
            services_.messages.Tell(ids::InventoryZeroThickness, {std::to_string(r)});
            grid_->SetCurrentCell(r, ColThickness);
            return false;
        }
    }
    return true;
}

bool CsInventoryDlg::ImportCsvFile(const QString& file)
{
    CCsvImportDlg dialog(SplitItems(kCsvItems), SplitItems(kCsvExamples), S(UiText(kCsvCaption)), S(file), kCsvSection,
                         services_, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    db_->Records.clear();
    db_->LastId = 1;
    for (int i = 0; i < dialog.GetRowCount(); ++i) {
        std::vector<std::string> items = SplitItems(dialog.GetRow(i));
        items.resize(9);
        CsStockRec rec;
        rec.Id = db_->LastId++;
        rec.Type = CsStockRec::Prime;
        rec.Name = items[0];
        rec.Length = ParseLength(items[1]);
        rec.Width = ParseLength(items[2]);
        rec.Qty = CoilCount(ParseDouble(items[3]));
        rec.Material = items[4];
        rec.CostPerKg = ParseDouble(items[5]);
        rec.LeftTrim = ParseLength(items[6]);
        rec.RightTrim = ParseLength(items[7]);
        rec.Remarks = items[8];
        rec.Thickness = 1.0;
        db_->Records.push_back(std::move(rec));
    }
    FillFromDb();
    return true;
}

void CsInventoryDlg::OnImportCsv()
{
    if (services_.messages.Ask(kMsgOverwriteInventory, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    // Edits made in the grid stay unless a file is imported in their place.
    const QString file = AskCsvImportFile(this);
    if (!file.isEmpty())
        ImportCsvFile(file);
}

void CsInventoryDlg::OnClearStockUsed()
{
    if (services_.messages.Ask(ids::ClearStockUsedAsk, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    // A log that could not be emptied stays on show; the user has been told why.
    if (inventory_->ClearStockUsed() != kInventoryDone)
        return;
    used_.clear();
    FillFromStockUsed();
    QDialog::accept();
}

void CsInventoryDlg::accept()
{
    grid_->TransferCurrentCell();
    if (mode_ == Mode::Edit && !HasThicknesses())
        return;
    if (mode_ != Mode::StocksUsed)
        StoreToDb();
    QDialog::accept();
}

} // namespace vellicor
