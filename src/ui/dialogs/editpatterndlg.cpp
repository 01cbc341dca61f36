#include "ui/dialogs/editpatterndlg.h"

#include "model/density.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/gridmodel.h"
#include "ui/grid/gridwnd.h"
#include "ui/grid/readonlylook.h"
#include "ui/helpcontext.h"
#include "ui/drawing/layoutdrawing.h"
#include "ui/grid/lenedit.h"
#include "ui/uitext.h"
#include "units/numeric.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

QString Text(int control)
{
    return UiText(DialogTextId(CEditPatternDlg::Id, control));
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Len(double mm)
{
    return Q(FormatLength(mm));
}

double ParseLen(const QString& text)
{
    return ParseLength(text.toStdString());
}

// A width text stands for `mm` when it reads as that length or shows it the same way.
bool ShowsWidth(const QString& text, double mm)
{
    const double value = ParseLen(text);
    return IsEqual(value, mm) || Len(value) == Len(mm);
}

QString WidthChoices(const CCoilPart& part)
{
    QString choices = Len(part.Length) + '\n';
    if (part.CanRotate() != 0)
        choices += Len(part.Width) + '\n';
    return choices;
}

} // namespace

double LongerPatternLength(double length, const std::vector<double>& extents)
{
    double best = 0.0;
    bool found = false;
    for (double e : extents) {
        if (!(e > kTolerance))
            continue;
        const double candidate = e * (std::floor((length + 1.0) / e) + 1.0);
        if (!found || candidate < best)
            best = candidate;
        found = true;
    }
    return found && best > 0.0 ? best : length + 1.0;
}

double ShorterPatternLength(double length, const std::vector<double>& extents)
{
    double best = 0.0;
    bool found = false;
    for (double e : extents) {
        if (!(e > kTolerance))
            continue;
        const double candidate = e * std::floor(length / e - 0.001);
        if (candidate < length && (!found || candidate > best)) {
            best = candidate;
            found = true;
        }
    }
    return found && best > 0.0 ? best : length;
}

CEditPatternDlg::CEditPatternDlg(CVellicorDoc& doc, int layout, UiServices services, QWidget* parent)
    : QDialog(parent), doc_(doc), layoutIndex_(layout), coils_(new QComboBox(this)),
      width_(new QLineEdit(this)), material_(new QLineEdit(this)),
      grid_(new CSGridWnd("IDR_PAT_EDIT_OGL", services, this)), drawing_(new CLayoutDrawing(this)),
      patternLength_(new CLenEdit(this)), remaining_(new QLineEdit(this))
{
    const CLayout& edited = *doc_.Layouts.GetAt(layoutIndex_);
    patternWeightKg_ = edited.Weight;
    remainingMm_ = edited.RestWidth();
    patternLengthMm_ = edited.UsedLength();
    originalCoil_ = edited.Coil->Name;
    coilMaterial_ = edited.Coil->Material;
    coilThickness_ = edited.Coil->Thickness;
    coilWidth_ = edited.Coil->Width;

    setWindowTitle(Text(0));
    SetHelpContext(this, Id);
    BuildLayout();
    grid_->SetStyleRange(CGridRange::Cols(ColType, ColItem), CGridStyle().SetControl(CellControl::ChoiceList));
    grid_->SetStyleRange(CGridRange::Cols(ColWidth, ColWidth), CGridStyle().SetControl(CellControl::ChoiceList));

    for (int i = 0; i < doc_.GetCoilCount(); ++i)
        coils_->addItem(Q(doc_.GetCoil(i)->Name));
    for (int i = 0; i < doc_.GetCoilCount() && coilIndex_ < 0; ++i)
        if (doc_.GetCoil(i)->Name == originalCoil_)
            coilIndex_ = i;
    coils_->setCurrentIndex(coilIndex_);
    if (coilIndex_ >= 0)
        trimTotal_ = doc_.GetCoil(coilIndex_)->TrimTotal();

    material_->setText(Q(coilMaterial_));
    patternLength_->SetValue(patternLengthMm_);
    HideProducedColumns();
    width_->setText(Len(coilWidth_));
    remaining_->setText(Len(remainingMm_));
    FillGrid();

    grid_->SetCurrentCell(1, 1);
    grid_->setFocus();
    grid_->SetStyleRange(CGridRange::Cols(ColType, ColType), CGridStyle().SetChoices(TypeChoices()));
    ShowDrawing();
    initialised_ = true;

    connect(coils_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!initialised_ || index < 0)
            return;
        SetCoil(index);
        ShowCoilTexts();
        Recompute();
    });
    connect(grid_, &CSGridWnd::Notification, this, [this](int code) {
        if ((code == NotifyMovedCell || code == NotifyRowsDeleted) && grid_->IsModified())
            Recompute();
    });
    // A choice made in a cell shows at once, not only when the user moves on.
    connect(static_cast<CGridModel*>(grid_->model()), &CGridModel::CellEdited, this,
            [this] {
                if (grid_->IsModified())
                    Recompute();
            },
            Qt::QueuedConnection);
    patternLength_->installEventFilter(this);
    connect(Button(IdLonger), &QPushButton::clicked, this, &CEditPatternDlg::OnLonger);
    connect(Button(IdShorter), &QPushButton::clicked, this, &CEditPatternDlg::OnShorter);
    connect(Button(IdAddAsNew), &QPushButton::clicked, this, &CEditPatternDlg::OnAddAsNew);
}

QPushButton* CEditPatternDlg::Button(int id) const
{
    return FindButton(this, id);
}

void CEditPatternDlg::BuildLayout()
{
    coils_->setObjectName(QString::number(IdCoil));
    width_->setObjectName(QString::number(IdWidth));
    material_->setObjectName(QString::number(IdMaterial));
    grid_->setObjectName(QString::number(IdGrid));
    patternLength_->setObjectName(QString::number(IdPatternLength));
    remaining_->setObjectName(QString::number(IdRemainingWidth));
    for (QLineEdit* shown : {width_, material_, remaining_})
        ShowReadOnly(*shown);

    auto* coilBox = new QGroupBox(UiText(ids::PatternCoilsGroup), this);
    auto* coilForm = new QHBoxLayout(coilBox);
    for (auto [id, field] : {std::pair<int, QWidget*>{IdCoil, coils_}, {IdWidth, width_}, {IdMaterial, material_}}) {
        auto* label = new QLabel(Text(id), coilBox);
        label->setBuddy(field);
        coilForm->addWidget(label);
        coilForm->addWidget(field, 1);
    }

    auto* lengthRow = new QHBoxLayout;
    auto* lengthLabel = new QLabel(Text(IdPatternLength), this);
    lengthLabel->setBuddy(patternLength_);
    lengthRow->addWidget(lengthLabel);
    lengthRow->addWidget(patternLength_);
    for (int id : {IdLonger, IdShorter}) {
        QPushButton* step = CreateButton(this, Id, id);
        step->setFixedWidth(step->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
        lengthRow->addWidget(step);
    }
    lengthRow->addStretch(1);
    auto* remainingLabel = new QLabel(Text(IdRemainingWidth), this);
    remainingLabel->setBuddy(remaining_);
    lengthRow->addWidget(remainingLabel);
    lengthRow->addWidget(remaining_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(Text(IdOk), QDialogButtonBox::AcceptRole);
    save->setObjectName(QString::number(IdOk));
    save->setDefault(true);
    buttons->addButton(CreateButton(this, Id, IdAddAsNew), QDialogButtonBox::ActionRole);
    QPushButton* cancel = buttons->addButton(Text(IdCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IdCancel));
    connect(save, &QPushButton::clicked, this, &CEditPatternDlg::OnSaveChanges);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coilBox);
    layout->addWidget(grid_, 1);
    layout->addWidget(drawing_);
    layout->addLayout(lengthRow);
    layout->addWidget(buttons);
    resize(720, 480);
}

void CEditPatternDlg::HideProducedColumns()
{
    grid_->HideCols(ColLengthProduced, ColWeightProduced, doc_.QtyByLength != 0);
}

void CEditPatternDlg::FillGrid()
{
    const CLayout& layout = *doc_.Layouts.GetAt(layoutIndex_);
    grid_->LockUpdate(true);
    grid_->SetRowCount(std::max(layout.GetSlitCount(), 1));
    for (int r = 1; r <= layout.GetSlitCount(); ++r) {
        const CLayoutSlit& slit = *layout.GetSlit(r - 1);
        grid_->SetValue(r, ColType, KindText(slit.Part->Kind));
        grid_->SetValue(r, ColItem, Q(slit.Part->Name));
        grid_->SetValue(r, ColWidth, Len(slit.SlitWidth()));
        grid_->SetValue(r, ColLengthProduced, Len(patternLengthMm_));
        grid_->SetValue(r, ColWeightProduced, QString::number(layout.WeightOfPart(slit.Part), 'g', 13));
        NormaliseRow(r);
    }
    grid_->LockUpdate(false);
    grid_->Redraw();
    grid_->SetModified(false);
}

CEditPatternDlg::Item CEditPatternDlg::FindItem(const QString& name) const
{
    const std::string key = name.toStdString();
    for (int kind : {KindPart, KindSlit, KindFiller})
        for (const auto& record : Records(kind))
            if (record->Name == key)
                return {record.get(), kind};
    return {};
}

const std::vector<std::unique_ptr<CCoilPart>>& CEditPatternDlg::Records(int kind) const
{
    if (kind == KindFiller)
        return doc_.Fillers;
    return kind == KindSlit ? doc_.Slits : doc_.Parts;
}

QString CEditPatternDlg::KindText(int kind) const
{
    switch (kind) {
    case KindPart: return UiText(ids::LayoutPart);
    case KindSlit: return UiText(ids::LayoutSlit);
    case KindFiller: return UiText(ids::LayoutFiller);
    default: return {};
    }
}

int CEditPatternDlg::KindOfText(const QString& text) const
{
    for (int kind : {KindPart, KindSlit, KindFiller})
        if (text == KindText(kind))
            return kind;
    return 0;
}

QString CEditPatternDlg::TypeChoices() const
{
    QString choices = KindText(KindPart) + '\n' + KindText(KindSlit) + '\n';
    if (doc_.QtyByLength == 0)
        choices += KindText(KindFiller) + '\n';
    return choices;
}

QString CEditPatternDlg::ItemChoices(int kind) const
{
    QString choices;
    for (const auto& record : Records(kind))
        choices += Q(record->Name) + '\n';
    return choices;
}

void CEditPatternDlg::NormaliseRow(int row)
{
    const int kind = KindOfText(grid_->GetValue(row, ColType));
    if (kind != 0)
        grid_->SetStyleRange(CGridRange::Cell(row, ColItem), CGridStyle().SetChoices(ItemChoices(kind)));
    const bool typeApplies = kind == KindPart || kind == KindSlit || (kind == KindFiller && doc_.QtyByLength == 0);
    if (typeApplies && FindItem(grid_->GetValue(row, ColItem)).kind != kind) {
        const auto& records = Records(kind);
        grid_->SetValue(row, ColItem, records.empty() ? QString() : Q(records.front()->Name));
        grid_->SetValue(row, ColWidth, records.empty() ? QStringLiteral("0") : Len(records.front()->Length));
    }

    const QString name = grid_->GetValue(row, ColItem);
    if (const CCoilPart* part = FindItem(name).part) {
        const QString width = grid_->GetValue(row, ColWidth);
        if (!ShowsWidth(width, part->Length) && !ShowsWidth(width, part->Width))
            grid_->SetValue(row, ColWidth, Len(part->Length));
        grid_->SetStyleRange(CGridRange::Cell(row, ColWidth), CGridStyle().SetChoices(WidthChoices(*part)));
    } else if (name.isEmpty()) {
        grid_->SetStyleRange(CGridRange::Cell(row, ColWidth), CGridStyle().SetChoices(QStringLiteral("0\n")));
    }
}

bool CEditPatternDlg::ShowsRotated(int row, const CCoilPart& part) const
{
    return grid_->GetValue(row, ColWidth).trimmed() != Len(part.Length);
}

void CEditPatternDlg::Recompute()
{
    grid_->TransferCurrentCell();
    grid_->LockUpdate(true);
    const int rows = grid_->GetRowCount();
    // Rows without an item are left out of the layout, so they take no width either.
    double total = 0.0;
    for (int r = 1; r <= rows; ++r) {
        NormaliseRow(r);
        if (FindItem(grid_->GetValue(r, ColItem)).part)
            total += ParseLen(grid_->GetValue(r, ColWidth)) + doc_.Settings.Kerf;
    }
    auto weightOf = [this](double width) {
        return IsZero(coilWidth_) ? 0.0 : width * patternWeightKg_ / coilWidth_;
    };
    for (int r = 1; r <= rows; ++r)
        grid_->SetValue(r, ColWidth, Len(ParseLen(grid_->GetValue(r, ColWidth))));
    for (int r = 1; r <= rows; ++r) {
        const QString name = grid_->GetValue(r, ColItem);
        // Each position yields a strip of the pattern length.
        grid_->SetValue(r, ColLengthProduced, FindItem(name).part ? Len(patternLengthMm_) : QString());
        grid_->SetValue(r, ColWeightProduced, Q(FormatNumber(weightOf(ParseLen(grid_->GetValue(r, ColWidth))), 2)));
        int count = 0;
        double widths = 0.0;
        for (int other = 1; other <= rows; ++other) {
            if (grid_->GetValue(other, ColItem) == name) {
                ++count;
                widths += ParseLen(grid_->GetValue(other, ColWidth));
            }
        }
        const std::string totals = Strings().Format(
            ids::PatternRowTotals, {FormatNumber(weightOf(widths), 2), FormatNumber(count * patternLengthMm_, 2)});
        grid_->SetStyleRange(CGridRange::Rows(r, r), CGridStyle().SetTooltip(Q(totals)));
    }
    remainingMm_ = coilWidth_ - total - trimTotal_;
    remaining_->setText(Len(remainingMm_));
    grid_->LockUpdate(false);
    grid_->SetModified(false);
    ShowDrawing();
}

std::vector<double> CEditPatternDlg::PartExtents() const
{
    std::vector<double> extents;
    for (int r = 1; r <= grid_->GetRowCount(); ++r) {
        const Item item = FindItem(grid_->GetValue(r, ColItem));
        if (item.kind == KindPart)
            extents.push_back(ShowsRotated(r, *item.part) ? item.part->Length : item.part->Width);
    }
    return extents;
}

void CEditPatternDlg::SetCoil(int index)
{
    const CCoil& coil = *doc_.GetCoil(index);
    coilIndex_ = index;
    coilMaterial_ = coil.Material;
    coilThickness_ = coil.Thickness;
    coilWidth_ = coil.Width;
    trimTotal_ = coil.TrimTotal();
}

void CEditPatternDlg::ShowCoilTexts()
{
    width_->setText(Len(coilWidth_));
    material_->setText(Q(coilMaterial_));
    remaining_->setText(Len(remainingMm_));
}

void CEditPatternDlg::ApplyPatternLength()
{
    patternLengthMm_ = patternLength_->Value();
    // The edited layout's weight for that length of its coil.
    const CCoil& coil = *doc_.Layouts.GetAt(layoutIndex_)->Coil;
    patternWeightKg_ = coil.Width * coil.Thickness * patternLengthMm_ * GetDensity(coil.Material) * 1e-9;
    Recompute();
}

void CEditPatternDlg::ShowDrawing()
{
    LayoutDraft draft;
    draft.Coil = coilIndex_ >= 0 ? doc_.GetCoil(coilIndex_) : nullptr;
    draft.Kerf = doc_.Settings.Kerf;
    for (int r = 1; r <= grid_->GetRowCount(); ++r)
        if (const CCoilPart* part = FindItem(grid_->GetValue(r, ColItem)).part)
            draft.Positions.push_back({part, ShowsRotated(r, *part)});
    drawing_->SetDraft(draft, doc_.Settings.MinOffCut);
}

bool CEditPatternDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == patternLength_ && event->type() == QEvent::FocusOut && initialised_)
        ApplyPatternLength();
    return QDialog::eventFilter(watched, event);
}

void CEditPatternDlg::OnLonger()
{
    patternLength_->SetValue(LongerPatternLength(patternLength_->Value(), PartExtents()));
}

void CEditPatternDlg::OnShorter()
{
    patternLength_->SetValue(ShorterPatternLength(patternLength_->Value(), PartExtents()));
}

std::unique_ptr<CLayout> CEditPatternDlg::BuildPattern()
{
    ApplyPatternLength();
    CCoil* coil = doc_.GetCoil(coilIndex_);
    CSlitPosList positions;
    for (int r = 1; r <= grid_->GetRowCount(); ++r)
        if (CCoilPart* part = FindItem(grid_->GetValue(r, ColItem)).part)
            positions.push_back(std::make_unique<CLayoutSlit>(ShowsRotated(r, *part) ? 1 : 0, part));
    const double weight = doc_.QtyByLength != 0
        ? coil->Width * coil->Thickness * patternLengthMm_ * GetDensity(coil->Material) * 1e-9
        : patternWeightKg_;
    return std::make_unique<CLayout>(coil, std::move(positions), weight, doc_.Settings.Kerf);
}

void CEditPatternDlg::OnSaveChanges()
{
    std::unique_ptr<CLayout> layout = BuildPattern();
    CLayoutList& layouts = doc_.Layouts;
    layouts.Remove(layouts.GetAt(layoutIndex_));
    layouts.InsertAt(std::move(layout), layoutIndex_);
    accept();
}

void CEditPatternDlg::OnAddAsNew()
{
    doc_.Layouts.InsertAt(BuildPattern(), -1);
    accept();
}

} // namespace vellicor
