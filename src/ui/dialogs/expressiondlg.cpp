#include "ui/dialogs/expressiondlg.h"

#include "ui/dialogs/dialogbuttons.h"
#include "ui/uitext.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vellicor {

CExpressionDlg::CExpressionDlg(QWidget* parent) : CBoldFontDlg(parent), edit_(new QLineEdit(this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    auto* layout = new QVBoxLayout(this);
    edit_->setObjectName(QString::number(IdExpression));
    layout->addWidget(edit_);
    for (int id = IdHelpFirst; id <= IdHelpLast; ++id) {
        auto* label = new QLabel(UiText(DialogTextId(Id, id)), this);
        label->setWordWrap(true);
        if (id < IdHelpFirst + 3)
            SetBoldFont(label);
        layout->addWidget(label);
    }
    layout->addWidget(CreateOkCancel(this, Id));
}

QString CExpressionDlg::Expression() const
{
    return edit_->text();
}

} // namespace vellicor
