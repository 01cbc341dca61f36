#include "ui/pages/stockpage.h"

#include "inventory/inventory.h"
#include "model/density.h"
#include "model/vellicordoc.h"
#include "platform/usermessages.h"
#include "ui/grid/gridwnd.h"
#include "ui/grid/lenedititem.h"
#include "ui/uitext.h"
#include "units/numeric.h"
#include "units/units.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <set>

namespace vellicor {
namespace {

constexpr int kTextLengthPerCoil = 213;
constexpr int kTextCostPerLength = 214;
constexpr int kTextCostPerKg = 249;
constexpr int kCsvCaption = 255;

// The weight of one display unit of length of a coil that wide, at the nominal thickness.
double WeightPerDisplayUnit(double width, const std::string& material)
{
    const double mmPerUnit = UnitTable()[static_cast<std::size_t>(CurrentUnitSettings().lengthUnit)].mmPerUnit;
    return StripWeight(width, kNominalThickness, mmPerUnit, material);
}

} // namespace

CSStockPage::CSStockPage(CVellicorDoc& doc, UiServices services, QWidget* parent)
    : CSInputPage(Id, TipId, doc, services, parent)
{
}

void CSStockPage::OnInitDialog()
{
    CSGridWnd* grid = CreateInputGrid({
        .layout = "IDR_STOCK_OGL",
        .lengthCols = {ColWidth, ColLength, ColLeftTrim, ColRightTrim},
        .numericExprCols = {ColWidth, ColQty, ColThickness, ColWeight, ColLength, ColCost, ColUsed, ColLeftTrim,
                            ColRightTrim, ColRemarks},
        .textExprCols = {ColName, ColRemarks},
        .materialCol = ColMaterial,
        .weightModeCols = {ColThickness, ColWeight, ColUsed},
        .pendingCols = {ColMaterial, ColWeight, ColLength},
        .numberCols = {ColWidth, ColQty, ColThickness, ColWeight, ColLength, ColCost, ColUsed, ColLeftTrim, ColRightTrim},
        .nonNegativeCols = {ColWidth, ColQty, ColThickness, ColWeight, ColLength, ColCost, ColLeftTrim, ColRightTrim},
    });
    grid->SetAllowDeleteRows(true);
    connect(AddButton(IdImportCsv), &QPushButton::clicked, this, &CSStockPage::ImportFromCsv);
    QPushButton* inventory = AddButton(IdImportInventory);
    inventory->setEnabled(Services().inventory && Services().inventoryDialogs);
    connect(inventory, &QPushButton::clicked, this, &CSStockPage::ImportFromInventory);
    ButtonRow()->addStretch();
    CSInputPage::OnInitDialog();
    FinishInit("SLIT_STOCK_PG");
}

void CSStockPage::LoadGrid()
{
    const CVellicorDoc& doc = GetDocument();
    BeginLoad(doc.GetCoilCount());
    CSGridWnd* grid = GetGrid();
    grid->SetValue(0, ColLength, UiText(kTextLengthPerCoil));
    grid->SetValue(0, ColCost, UiText(IsLengthMode() ? kTextCostPerLength : kTextCostPerKg));
    for (int i = 0; i < doc.GetCoilCount(); ++i) {
        const CCoil& coil = *doc.GetCoil(i);
        const int row = i + 1;
        grid->SetValue(row, ColName, QString::fromStdString(coil.Name));
        SetNumber(row, ColWidth, coil.Width);
        grid->SetValue(row, ColMaterial, QString::fromStdString(coil.Material));
        SetNumber(row, ColThickness, coil.RealThickness());
        SetNumber(row, ColWeight, coil.WeightPerCoil);
        grid->SetValue(row, ColLength, DerivedText(coil.LengthPerCoil(), 2));
        SetNumber(row, ColCost, coil.CostPerKg);
        grid->SetValue(row, ColQty, QString::number(coil.Qty));
        SetNumber(row, ColLeftTrim, coil.LeftTrim);
        SetNumber(row, ColRightTrim, coil.RightTrim);
        grid->SetValue(row, ColRemarks, QString::fromStdString(coil.Remarks));
        if (IsLengthMode()) {
            SetNumber(row, ColCost, coil.CostPerKg * WeightPerDisplayUnit(coil.Width, coil.Material));
            PaintRow(row, coil.Width * kLowLengthFactor > coil.LengthPerCoil());
        }
    }
    EndLoad();
}

bool CSStockPage::IsLowLength(int row) const
{
    return Number(row, ColLength) < kLowLengthFactor * Number(row, ColWidth);
}

bool CSStockPage::IsStored(int row) const
{
    return Number(row, ColWidth) != 0 || Integer(row, ColQty) != 0 || !Name(row).isEmpty();
}

bool CSStockPage::ValidateGrid()
{
    RecomputePending();
    IUserMessages& messages = Services().messages;
    const int rows = GetGrid()->GetRowCount();
    for (int r = 1; r <= rows; ++r) {
        const QString name = Name(r);
        if (r > 1 && name.isEmpty()) {
            messages.Tell(kMsgEmptyName, {std::to_string(r)});
            return false;
        }
        // An unnamed first row is stored too when it has a quantity; it needs a width as well.
        if (IsStored(r) && IsZero(Number(r, ColWidth))) {
            messages.Tell(kMsgZeroWidth, {std::to_string(r)});
            return false;
        }
        for (int later = r + 1; later <= rows && !name.isEmpty(); ++later) {
            if (name == Name(later)) {
                messages.Tell(kMsgDuplicateName, {name.toStdString()}, MessageIcon::Question);
                return false;
            }
        }
    }
    for (int r = 1; r <= rows; ++r) {
        if (IsLowLength(r)) {
            messages.Tell(kMsgLowLength);
            break;
        }
    }
    return true;
}

void CSStockPage::StoreGrid()
{
    CVellicorDoc& doc = GetDocument();
    doc.DeleteAllCoils();
    for (int r = 1; r <= GetGrid()->GetRowCount(); ++r) {
        if (!IsStored(r))
            continue;
        const std::string material = StdText(r, ColMaterial);
        const double width = Number(r, ColWidth);
        const double given = Number(r, ColThickness);
        double thickness = given;
        double weight = Number(r, ColWeight);
        double cost = Number(r, ColCost);
        if (IsLengthMode()) {
            thickness = kNominalThickness;
            weight = StripWeight(width, thickness, Number(r, ColLength), material);
            cost /= WeightPerDisplayUnit(width, material);
        }
        auto coil = std::make_unique<CCoil>(Name(r).toStdString(), width, material, thickness, weight,
                                            Integer(r, ColQty), StdText(r, ColRemarks), cost,
                                            Number(r, ColLeftTrim), Number(r, ColRightTrim));
        if (IsLengthMode())
            coil->GivenThickness = given;
        doc.AddCoil(std::move(coil));
    }
}

void CSStockPage::RecomputeRow(int row)
{
    const std::string material = StdText(row, ColMaterial);
    const double width = Number(row, ColWidth);
    const double thickness = ConversionThickness(row, ColThickness);
    if (IsLengthMode())
        SetNumber(row, ColWeight, StripWeight(width, thickness, Number(row, ColLength), material));
    else
        GetGrid()->SetValue(row, ColLength, DerivedText(StripLength(Number(row, ColWeight), width, thickness, material), -1));
}

void CSStockPage::OnRowAppended(int row)
{
    CopyFromRowAbove(row, {ColWidth, ColQty, ColMaterial, ColThickness, ColWeight, ColLength, ColCost, ColLeftTrim,
                           ColRightTrim});
    if (IsLowLength(row - 1))
        PaintRow(row - 1, true);
}

void CSStockPage::ImportFromCsv()
{
    const bool length = IsLengthMode();
    ImportCsv({
        .items = {{219, "C1", ColName}, {208, "2000", ColWidth}, {209, "100", ColQty}, {210, "steel", ColMaterial},
                  {kTextLengthPerCoil, "50000", ColLength},
                  {length ? kTextCostPerLength : kTextCostPerKg, length ? "2" : "100", ColCost},
                  {216, "10", ColLeftTrim}, {217, "10", ColRightTrim}, {218, "Stock1", ColRemarks}},
        .captionId = kCsvCaption,
        .section = "Stock_Csv",
        .lengthCols = {ColWidth, ColLength, ColLeftTrim, ColRightTrim},
        .emptyCols = {ColName, ColWidth, ColLength},
    });
}

void CSStockPage::ImportFromInventory()
{
    if (!Services().inventory || !Services().inventoryDialogs)
        return;
    std::vector<CsStockRec> picked;
    if (Services().inventory->SelectStock(*Services().inventoryDialogs, picked) != kInventoryDone)
        return;
    CSGridWnd* grid = GetGrid();
    grid->LockUpdate(true);
    if (!picked.empty()) {
        std::set<QString> names;
        for (int r = 1; r <= grid->GetRowCount(); ++r)
            names.insert(Name(r));
        int row = FirstImportRow({ColName, ColWidth, ColLength});
        grid->SetRowCount(row - 1 + static_cast<int>(picked.size()));
        std::string skipped;
        for (const CsStockRec& rec : picked) {
            const QString id = QString::number(rec.Id);
            if (names.count(id)) {
                skipped += id.toStdString() + "\n";
                continue;
            }
            grid->SetValue(row, ColName, id);
            SetNumber(row, ColLength, rec.Length);
            SetNumber(row, ColWidth, rec.Width);
            grid->SetValue(row, ColQty, QString::number(rec.Qty));
            SetNumber(row, ColCost, rec.CostPerKg);
            SetNumber(row, ColLeftTrim, rec.LeftTrim);
            SetNumber(row, ColRightTrim, rec.RightTrim);
            grid->SetValue(row, ColRemarks, QString::fromStdString(rec.Remarks + " [SName:" + rec.Name + "]"));
            grid->SetValue(row, ColMaterial, QString::fromStdString(rec.Material));
            SetNumber(row, ColThickness, rec.Thickness);
            if (IsLengthMode())
                SetNumber(row, ColCost, rec.CostPerKg * WeightPerDisplayUnit(rec.Width, rec.Material));
            else  // weight mode stores the weight: the record's length would be lost otherwise
                SetNumber(row, ColWeight, StripWeight(rec.Width, rec.Thickness, rec.Length, rec.Material));
            ++row;
        }
        grid->SetRowCount(std::max(row - 1, 1));
        if (!skipped.empty())
            Services().messages.Tell(kMsgAlreadyInJob, {skipped}, MessageIcon::Question);
    }
    grid->LockUpdate(false);
    grid->Redraw();
    grid->SetModified(true);
}

} // namespace vellicor
