#include "ui/pages/slitspage.h"

#include "model/density.h"
#include "model/vellicordoc.h"
#include "platform/usermessages.h"
#include "ui/grid/gridwnd.h"
#include "ui/uitext.h"
#include "units/numeric.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vellicor {
namespace {

constexpr int kTextReqLength = 224;
constexpr int kCsvCaption = 188;
// What a filler shows as its requirement.
const QString kFillerRequirement = QStringLiteral("-1");

} // namespace

CSSlitsPage::CSSlitsPage(CVellicorDoc& doc, UiServices services, QWidget* parent)
    : CSInputPage(Id, TipId, doc, services, parent)
{
}

void CSSlitsPage::OnInitDialog()
{
    CreateInputGrid({
        .layout = "IDR_SLITS_OGL",
        .lengthCols = {ColWidth, ColReqLength},
        .numericExprCols = {ColWidth, ColThickness, ColReqWeight, ColReqLength, ColRemarks},
        .textExprCols = {ColName, ColRemarks},
        .materialCol = ColMaterial,
        .weightModeCols = {ColThickness, ColReqWeight, ColPriority, ColPosition},
        .pendingCols = {ColMaterial, ColReqWeight, ColReqLength},
        // -1 asks for a filler.
        .numberCols = {ColWidth, ColThickness, ColReqWeight, ColReqLength, ColPriority, ColPosition},
        .nonNegativeCols = {ColWidth, ColThickness, ColPriority, ColPosition},
    });
    connect(AddButton(IdImportCsv), &QPushButton::clicked, this, &CSSlitsPage::ImportFromCsv);
    ButtonRow()->addStretch();
    CSInputPage::OnInitDialog();
    FinishInit("SLIT_SLIT_PG");
}

void CSSlitsPage::LoadGrid()
{
    const CVellicorDoc& doc = GetDocument();
    BeginLoad(doc.GetSlitCount() + doc.GetFillerCount());
    CSGridWnd* grid = GetGrid();
    grid->SetValue(0, ColReqLength, UiText(kTextReqLength));
    auto fill = [&](int row, const CCoilPart& slit) {
        grid->SetValue(row, ColName, QString::fromStdString(slit.Name));
        SetNumber(row, ColWidth, slit.Width);
        grid->SetValue(row, ColMaterial, QString::fromStdString(slit.Material));
        SetNumber(row, ColThickness, slit.RealThickness());
        grid->SetValue(row, ColRemarks, QString::fromStdString(slit.Remarks));
    };
    for (int i = 0; i < doc.GetSlitCount(); ++i) {
        const CCoilPart& slit = *doc.GetSlit(i);
        const int row = i + 1;
        SetNumber(row, ColReqWeight, slit.RequiredWeight());
        grid->SetValue(row, ColReqLength, DerivedText(slit.RequiredLength(), 2));
        PaintRow(row, slit.Width * kLowLengthFactor > slit.RequiredLength() || !doc.CanAnyCoilHold(slit));
        fill(row, slit);
        grid->SetValue(row, ColPriority, QString::number(slit.Priority));
    }
    for (int i = 0; i < doc.GetFillerCount(); ++i) {
        const CCoilPart& filler = *doc.GetFiller(i);
        const int row = doc.GetSlitCount() + i + 1;
        grid->SetValue(row, ColReqWeight, kFillerRequirement);
        grid->SetValue(row, ColReqLength, kFillerRequirement);
        PaintRow(row, !doc.CanAnyCoilHold(filler));
        fill(row, filler);
        grid->SetValue(row, ColPosition, QString::number(filler.Priority));
    }
    EndLoad();
}

double CSSlitsPage::RequiredWeight(int row) const
{
    if (IsLengthMode())
        return StripWeight(Number(row, ColWidth), kNominalThickness, Number(row, ColReqLength),
                           StdText(row, ColMaterial));
    return Number(row, ColReqWeight);
}

bool CSSlitsPage::IsLowLength(int row) const
{
    return RequiredWeight(row) >= 0 && Number(row, ColReqLength) < kLowLengthFactor * Number(row, ColWidth);
}

bool CSSlitsPage::IsStored(int row) const
{
    return Number(row, ColWidth) != 0 || !Name(row).isEmpty();
}

bool CSSlitsPage::ValidateGrid()
{
    RecomputePending();
    const CVellicorDoc& doc = GetDocument();
    const bool valid = ValidateRequirementRows([](int) { return false; },
                                               [this](int r) { return IsStored(r) && IsZero(Number(r, ColWidth)); },
                                               {&doc.Parts});
    if (!valid)
        return false;
    for (int r = 1; r <= GetGrid()->GetRowCount(); ++r) {
        if (IsLowLength(r)) {
            Services().messages.Tell(kMsgLowLength);
            break;
        }
    }
    return true;
}

void CSSlitsPage::StoreGrid()
{
    CVellicorDoc& doc = GetDocument();
    doc.DeleteAllSlits();
    doc.DeleteAllFillers();
    for (int r = 1; r <= GetGrid()->GetRowCount(); ++r) {
        if (!IsStored(r))
            continue;
        const double weight = RequiredWeight(r);
        const double given = Number(r, ColThickness);
        const int priority = Integer(r, weight < 0 ? ColPosition : ColPriority);
        auto slit = std::make_unique<CCoilPart>(Name(r).toStdString(), StdText(r, ColMaterial),
                                                IsLengthMode() ? kNominalThickness : given, Number(r, ColWidth),
                                                weight, StdText(r, ColRemarks), priority);
        if (IsLengthMode())
            slit->GivenThickness = given;
        doc.AddSlit(std::move(slit));
    }
}

void CSSlitsPage::RecomputeRow(int row)
{
    const std::string material = StdText(row, ColMaterial);
    const double width = Number(row, ColWidth);
    const double thickness = ConversionThickness(row, ColThickness);
    if (IsLengthMode())
        GetGrid()->SetValue(row, ColReqWeight,
                            DerivedText(StripWeight(width, thickness, Number(row, ColReqLength), material), 2));
    else
        GetGrid()->SetValue(row, ColReqLength,
                            DerivedText(StripLength(Number(row, ColReqWeight), width, thickness, material), 2));
}

void CSSlitsPage::OnRowAppended(int row)
{
    CopyFromRowAbove(row, {ColWidth, ColMaterial, ColThickness, ColPriority});
    if (IsLowLength(row - 1))
        PaintRow(row - 1, true);
}

void CSSlitsPage::ImportFromCsv()
{
    ImportCsv({
        .items = {{219, "s1", ColName}, {208, "100", ColWidth}, {210, "steel", ColMaterial},
                  {kTextReqLength, "1000", ColReqLength}, {218, "slit 1", ColRemarks}},
        .captionId = kCsvCaption,
        .section = "Part_Csv",
        .lengthCols = {ColWidth, ColReqLength},
        .emptyCols = {ColName, ColReqLength, ColWidth},
    });
}

} // namespace vellicor
