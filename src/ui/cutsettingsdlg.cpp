#include "ui/cutsettingsdlg.h"

#include "ui/helpcontext.h"
#include "ui/lenedit.h"
#include "ui/uitext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace vellicor {

CCutSettingsDlg::CCutSettingsDlg(double kerf, double minOffCut, QWidget* parent)
    : QDialog(parent), kerf_(new CLenEdit(this)), minOffCut_(new CLenEdit(this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    kerf_->setObjectName("1004");
    minOffCut_->setObjectName("1009");
    kerf_->SetValue(kerf);
    minOffCut_->SetValue(minOffCut);

    auto* form = new QFormLayout(this);
    form->addRow(UiText(DialogTextId(Id, 1003)), kerf_);
    form->addRow(UiText(DialogTextId(Id, 1008)), minOffCut_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText(DialogTextId(Id, IdOk)));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText(DialogTextId(Id, IdCancel)));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

double CCutSettingsDlg::Kerf() const
{
    return kerf_->Value();
}

double CCutSettingsDlg::MinOffCut() const
{
    return minOffCut_->Value();
}

} // namespace vellicor
