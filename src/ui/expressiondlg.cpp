#include "ui/expressiondlg.h"

#include "ui/uitext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellicor {

CExpressionDlg::CExpressionDlg(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    auto* layout = new QVBoxLayout(this);
    edit_->setObjectName(QString::number(IdExpression));
    layout->addWidget(edit_);
    for (int id = IdHelpFirst; id <= IdHelpLast; ++id) {
        auto* label = new QLabel(UiText(DialogTextId(Id, id)), this);
        label->setWordWrap(true);
        if (id < IdHelpFirst + 3) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText(DialogTextId(Id, IdOk)));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText(DialogTextId(Id, IdCancel)));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CExpressionDlg::Expression() const
{
    return edit_->text();
}

} // namespace vellicor
