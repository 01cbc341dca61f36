#include "ui/dialogs/unitdlg.h"

#include "ui/dialogs/dialogbuttons.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace vellicor {

CUnitDlg::CUnitDlg(const UnitSettings& current, QWidget* parent)
    : QDialog(parent), length_(new QComboBox(this)), decimals_(new QComboBox(this)),
      denominator_(new QComboBox(this)), area_(new QComboBox(this)),
      decimalsLabel_(new QLabel(UiText(DialogTextId(Id, 1283)), this)),
      denominatorLabel_(new QLabel(UiText(DialogTextId(Id, 1284)), this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    for (const UnitDef& unit : UnitTable()) {
        length_->addItem(QString::fromUtf8(unit.lengthName));
        area_->addItem(QString::fromUtf8(unit.areaName));
    }
    for (int d : DecimalCounts())
        decimals_->addItem(QString::number(d));
    for (int d : FractionDenominators())
        denominator_->addItem(QString("1/%1").arg(d));
    length_->setCurrentIndex(current.lengthUnit);
    decimals_->setCurrentIndex(current.decimalsIndex);
    denominator_->setCurrentIndex(current.denominatorIndex);
    area_->setCurrentIndex(current.areaUnit);

    auto* form = new QFormLayout(this);
    form->addRow(UiText(DialogTextId(Id, 1161)), length_);
    form->addRow(decimalsLabel_, decimals_);
    form->addRow(denominatorLabel_, denominator_);
    form->addRow(UiText(DialogTextId(Id, 1259)), area_);
    form->addRow(CreateOkCancel(this, Id));
    connect(length_, &QComboBox::currentIndexChanged, this, &CUnitDlg::UpdateEnabling);
    UpdateEnabling();
}

void CUnitDlg::UpdateEnabling()
{
    const bool fraction = length_->currentIndex() == kUnitInchFraction;
    decimals_->setEnabled(!fraction);
    decimalsLabel_->setEnabled(!fraction);
    denominator_->setEnabled(fraction);
    denominatorLabel_->setEnabled(fraction);
}

UnitSettings CUnitDlg::Chosen() const
{
    UnitSettings s;
    s.lengthUnit = length_->currentIndex();
    s.areaUnit = area_->currentIndex();
    s.denominatorIndex = denominator_->currentIndex();
    s.decimalsIndex = decimals_->currentIndex();
    return s;
}

bool EditUnitSettings(ISettingsStore& store, QWidget* parent)
{
    CUnitDlg dlg(CurrentUnitSettings(), parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return ApplyUnitSettings(store, dlg.Chosen());
}

} // namespace vellicor
