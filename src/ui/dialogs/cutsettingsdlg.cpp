#include "ui/dialogs/cutsettingsdlg.h"

#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/lenedit.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include <optional>

namespace vellicor {
namespace {

// Control ids: the boxes, each with its label at the id after it.
constexpr int kKerf = 1004, kMinOffCut = 1009, kMinCutWidth = 1010, kMaxKnives = 1012, kMaxDifSlits = 1014,
              kMinPatWt = 1016, kCoilChangCost = 1018, kKnifeSettCost = 1020, kEngine = 1022, kBestYield = 1024,
              kCompatible = 1025;
constexpr int kKerfLabel = 1003, kMinOffCutLabel = 1008;

QString Label(int control)
{
    return UiText(DialogTextId(CCutSettingsDlg::Id, control));
}

// Shortest text of six decimals at most, as the stored defaults keep them.
QString NumberText(double value)
{
    std::string text = FormatFixed(value, 6);
    if (text.find(DecimalPointChar()) != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == DecimalPointChar())
            text.pop_back();
    }
    return QString::fromStdString(text);
}

// The whole text as a number; nothing when anything but blanks follows it.
std::optional<double> ReadNumber(const QLineEdit& box)
{
    const std::string text = Trim(box.text().toStdString());
    std::size_t consumed = 0;
    const double value = ParseDouble(text, &consumed);
    if (text.empty() || consumed != text.size())
        return std::nullopt;
    return value;
}

std::optional<int> ReadCount(const QLineEdit& box)
{
    const std::string text = Trim(box.text().toStdString());
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 5)
        return std::nullopt;
    return ParseInt(text);
}

QLineEdit* NumberBox(QWidget* parent, int control, const QString& text)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::number(control));
    return box;
}

} // namespace

CCutSettingsDlg::CCutSettingsDlg(const CSettings& settings, ISettingsStore& store, IUserMessages& messages,
                                 QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), settings_(settings), kerf_(new CLenEdit(this)),
      minOffCut_(new CLenEdit(this)), minCutWidth_(new CLenEdit(this)),
      maxKnives_(NumberBox(this, kMaxKnives, QString::number(settings.MaxKnives))),
      maxDifSlits_(NumberBox(this, kMaxDifSlits, QString::number(settings.MaxDifSlits))),
      minPatWt_(NumberBox(this, kMinPatWt, NumberText(settings.MinPatWt))),
      coilChangCost_(NumberBox(this, kCoilChangCost, NumberText(settings.CoilChangCost))),
      knifeSettCost_(NumberBox(this, kKnifeSettCost, NumberText(settings.MinKnifeSettCost))),
      engine_(new QComboBox(this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    kerf_->setObjectName(QString::number(kKerf));
    minOffCut_->setObjectName(QString::number(kMinOffCut));
    minCutWidth_->setObjectName(QString::number(kMinCutWidth));
    kerf_->SetValue(settings.Kerf);
    minOffCut_->SetValue(settings.MinOffCut);
    minCutWidth_->SetValue(settings.MinCutWidth);
    engine_->setObjectName(QString::number(kEngine));
    engine_->addItem(Label(kBestYield), static_cast<int>(EOptimiserEngine::Yield));
    engine_->addItem(Label(kCompatible), static_cast<int>(EOptimiserEngine::Compatible));
    engine_->setCurrentIndex(engine_->findData(static_cast<int>(LoadEngine(store))));

    auto* form = new QFormLayout(this);
    form->addRow(Label(kKerfLabel), kerf_);
    form->addRow(Label(kMinOffCutLabel), minOffCut_);
    form->addRow(Label(kMinCutWidth + 1), minCutWidth_);
    form->addRow(Label(kMaxKnives + 1), maxKnives_);
    form->addRow(Label(kMaxDifSlits + 1), maxDifSlits_);
    form->addRow(Label(kMinPatWt + 1), minPatWt_);
    form->addRow(Label(kCoilChangCost + 1), coilChangCost_);
    form->addRow(Label(kKnifeSettCost + 1), knifeSettCost_);
    form->addRow(Label(kEngine + 1), engine_);
    QDialogButtonBox* buttons = CreateOkCancel(this, Id);
    QPushButton* saveDefault = CreateButton(this, Id, IdSaveDefault);
    buttons->addButton(saveDefault, QDialogButtonBox::ActionRole);
    connect(saveDefault, &QPushButton::clicked, this, &CCutSettingsDlg::SaveAsDefault);
    form->addRow(buttons);
}

CSettings CCutSettingsDlg::Settings() const
{
    CSettings s = settings_;
    s.Kerf = kerf_->Value();
    s.MinOffCut = minOffCut_->Value();
    s.MinCutWidth = minCutWidth_->Value();
    s.MaxKnives = ReadCount(*maxKnives_).value_or(s.MaxKnives);
    s.MaxDifSlits = ReadCount(*maxDifSlits_).value_or(s.MaxDifSlits);
    s.MinPatWt = ReadNumber(*minPatWt_).value_or(s.MinPatWt);
    s.CoilChangCost = ReadNumber(*coilChangCost_).value_or(s.CoilChangCost);
    s.MinKnifeSettCost = ReadNumber(*knifeSettCost_).value_or(s.MinKnifeSettCost);
    return s;
}

EOptimiserEngine CCutSettingsDlg::Engine() const
{
    return static_cast<EOptimiserEngine>(engine_->currentData().toInt());
}

bool CCutSettingsDlg::Validate()
{
    struct Check {
        QLineEdit* box;
        int label;
        std::optional<double> value;
        double max;
        bool length;
    };
    const Check checks[] = {
        {kerf_, kKerfLabel, kerf_->Value(), kSettingMax, true},
        {minOffCut_, kMinOffCutLabel, minOffCut_->Value(), kSettingMax, true},
        {minCutWidth_, kMinCutWidth + 1, minCutWidth_->Value(), kSettingMax, true},
        {maxKnives_, kMaxKnives + 1, ReadCount(*maxKnives_), kSettingCountMax, false},
        {maxDifSlits_, kMaxDifSlits + 1, ReadCount(*maxDifSlits_), kSettingCountMax, false},
        {minPatWt_, kMinPatWt + 1, ReadNumber(*minPatWt_), kSettingMax, false},
        {coilChangCost_, kCoilChangCost + 1, ReadNumber(*coilChangCost_), kSettingMax, false},
        {knifeSettCost_, kKnifeSettCost + 1, ReadNumber(*knifeSettCost_), kSettingMax, false},
    };
    for (const Check& c : checks) {
        if (c.value && *c.value >= kSettingMin && *c.value <= c.max)
            continue;
        const std::string min = c.length ? FormatLength(kSettingMin) : FormatNumber(kSettingMin, 0);
        const std::string max = c.length ? FormatLength(c.max) : FormatNumber(c.max, 0);
        messages_.Tell(ids::CutSettingOutOfRange, {Label(c.label).toStdString(), min, max});
        c.box->setFocus();
        c.box->selectAll();
        return false;
    }
    return true;
}

void CCutSettingsDlg::accept()
{
    if (Validate())
        QDialog::accept();
}

void CCutSettingsDlg::SaveAsDefault()
{
    if (!Validate())
        return;
    Settings().SaveDefaults(store_);
    SaveEngine(store_, Engine());
}

} // namespace vellicor
