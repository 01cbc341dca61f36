#include "ui/pages/partpage.h"

#include "model/vellicordoc.h"
#include "ui/dialogs/autonamedlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/uitext.h"
#include "units/numeric.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vellicor {
namespace {

constexpr int kCsvCaption = 188;
constexpr const char* kAutoNameKind = "Part";

} // namespace

CSPartPage::CSPartPage(CVellicorDoc& doc, UiServices services, QWidget* parent)
    : CSInputPage(Id, TipId, doc, services, parent)
{
}

void CSPartPage::OnInitDialog()
{
    CreateInputGrid({
        .layout = "IDR_PART_OGL",
        .lengthCols = {ColLength, ColWidth},
        .numericExprCols = {ColLength, ColWidth, ColQty, ColThickness, ColRemarks},
        .textExprCols = {ColName, ColRemarks},
        .materialCol = ColMaterial,
        .weightModeCols = {ColThickness, ColPriority},
        .pendingCols = {},
        .numberCols = {ColLength, ColWidth, ColRotation, ColQty, ColThickness, ColPriority},
        .nonNegativeCols = {ColLength, ColWidth, ColRotation, ColQty, ColThickness, ColPriority},
    });
    connect(AddButton(IdAutoNames), &QPushButton::clicked, this, &CSPartPage::AutoNames);
    connect(AddButton(IdImportCsv), &QPushButton::clicked, this, &CSPartPage::ImportFromCsv);
    ButtonRow()->addStretch();
    auto* note = new QLabel(UiText(DialogTextId(Id, IdNote)), this);
    note->setObjectName(QString::number(IdNote));
    note->setWordWrap(true);
    layout()->addWidget(note);
    CSInputPage::OnInitDialog();
    // The shared bold font exists once a page has initialised.
    SetBoldFont(note);
    FinishInit("SLIT_PART_PG");
}

void CSPartPage::LoadGrid()
{
    const CVellicorDoc& doc = GetDocument();
    BeginLoad(doc.GetPartCount());
    CSGridWnd* grid = GetGrid();
    for (int i = 0; i < doc.GetPartCount(); ++i) {
        const CCoilPart& part = *doc.GetPart(i);
        const int row = i + 1;
        PaintRow(row, !doc.CanAnyCoilHold(part));
        grid->SetValue(row, ColName, QString::fromStdString(part.Name));
        SetNumber(row, ColLength, part.Length);
        SetNumber(row, ColWidth, part.Width);
        grid->SetValue(row, ColRotation, QString::number(part.Rotation));
        grid->SetValue(row, ColQty, QString::number(part.PieceCount()));
        grid->SetValue(row, ColMaterial, QString::fromStdString(part.Material));
        SetNumber(row, ColThickness, part.RealThickness());
        grid->SetValue(row, ColPriority, QString::number(part.Priority));
        grid->SetValue(row, ColRemarks, QString::fromStdString(part.Remarks));
        if (!IsLengthMode()) {
            const std::string weight = FormatNumber(part.RequiredWeight(), 2);
            grid->SetStyleRange(CGridRange::Rows(row, row),
                                CGridStyle().SetTooltip(QString::fromStdString(
                                    Strings().Format(kTextRequiredWeight, {weight}))));
        }
    }
    EndLoad();
}

bool CSPartPage::IsStored(int row) const
{
    return Number(row, ColLength) != 0 || Number(row, ColWidth) != 0 || Integer(row, ColQty) != 0
        || !Name(row).isEmpty();
}

bool CSPartPage::ValidateGrid()
{
    const CVellicorDoc& doc = GetDocument();
    auto sized = [this](int r) { return !IsZero(Number(r, ColLength)) && !IsZero(Number(r, ColWidth)); };
    // Fillers are named like slits and shown among them.
    return ValidateRequirementRows(sized, [&](int r) { return IsStored(r) && !sized(r); },
                                   {&doc.Slits, &doc.Fillers});
}

void CSPartPage::StoreGrid()
{
    CVellicorDoc& doc = GetDocument();
    doc.DeleteAllParts();
    for (int r = 1; r <= GetGrid()->GetRowCount(); ++r) {
        if (!IsStored(r))
            continue;
        const double given = Number(r, ColThickness);
        auto part = std::make_unique<CCoilPart>(Name(r).toStdString(), StdText(r, ColMaterial),
                                                IsLengthMode() ? kNominalThickness : given, Number(r, ColLength),
                                                Number(r, ColWidth), Integer(r, ColQty), StdText(r, ColRemarks),
                                                Integer(r, ColRotation), Integer(r, ColPriority));
        if (IsLengthMode())
            part->GivenThickness = given;
        doc.AddPart(std::move(part));
    }
}

void CSPartPage::OnRowAppended(int row)
{
    CopyFromRowAbove(row, {ColLength, ColWidth, ColRotation, ColMaterial, ColThickness, ColPriority});
}

void CSPartPage::AutoNames()
{
    CAutoNameDlg dialog(kAutoNameKind, Services().settings, this);
    if (dialog.exec() == QDialog::Accepted)
        ApplyAutoNames(dialog.Expression());
}

void CSPartPage::ApplyAutoNames(const QString& expression)
{
    CSGridWnd* grid = GetGrid();
    grid->TransferCurrentCell();
    const std::string text = expression.toStdString();
    grid->BeginTrans(QStringLiteral("Auto Names"));
    for (int r = 1; r <= grid->GetRowCount(); ++r) {
        const std::string name = ExpandAutoName(text, r, FormatLength(Number(r, ColLength)),
                                                FormatLength(Number(r, ColWidth)), Integer(r, ColQty),
                                                StdText(r, ColMaterial));
        grid->SetValue(r, ColName, QString::fromStdString(name));
    }
    grid->CommitTrans();
    grid->SetModified(true);
}

void CSPartPage::ImportFromCsv()
{
    ImportCsv({
        .items = {{219, "1", ColName}, {220, "100", ColLength}, {208, "200", ColWidth}, {192, "1", ColRotation},
                  {209, "10", ColQty}, {210, "steel", ColMaterial}, {218, "part 1", ColRemarks}},
        .captionId = kCsvCaption,
        .section = "Part_Csv",
        .lengthCols = {ColLength, ColWidth},
        .emptyCols = {ColName, ColLength, ColWidth},
    });
}

} // namespace vellicor
