#include "ui/dialogs/dialogbuttons.h"

#include "ui/uitext.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace vellicor {

QDialogButtonBox* CreateOkCancel(QDialog* dialog, int dialogId)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText(DialogTextId(dialogId, IdOk)));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText(DialogTextId(dialogId, IdCancel)));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* CreateButton(QWidget* parent, int dialogId, int control)
{
    auto* button = new QPushButton(UiText(DialogTextId(dialogId, control)), parent);
    button->setObjectName(QString::number(control));
    button->setAutoDefault(false);
    return button;
}

QPushButton* FindButton(const QWidget* parent, int control)
{
    return parent->findChild<QPushButton*>(QString::number(control));
}

} // namespace vellicor
