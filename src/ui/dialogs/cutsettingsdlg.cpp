#include "ui/dialogs/cutsettingsdlg.h"

#include "ui/helpcontext.h"
#include "ui/grid/lenedit.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/uitext.h"

#include <QFormLayout>

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
    form->addRow(CreateOkCancel(this, Id));
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
