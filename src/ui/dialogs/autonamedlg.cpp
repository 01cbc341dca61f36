#include "ui/dialogs/autonamedlg.h"

#include "platform/settingsstore.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace vellicor {
namespace {

constexpr const char* kSection = "AutoName";
constexpr const char* kNumber = "$N";
constexpr const char* kNumberLengthWidth = "$N_$L_$W";
// "Name", "Expression", then the entries of the "Name" list.
constexpr int kTextNameLabel = 61831;
constexpr int kTextExpressionLabel = 61832;
constexpr int kTextFirstChoice = 61833;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
}

} // namespace

std::string ExpandAutoName(std::string expression, int row, const std::string& length, const std::string& width,
                           int qty, const std::string& material)
{
    ReplaceAll(expression, "$N", std::to_string(row));
    ReplaceAll(expression, "$L", length);
    ReplaceAll(expression, "$W", width);
    ReplaceAll(expression, "$Q", std::to_string(qty));
    ReplaceAll(expression, "$M", material);
    return expression;
}

CAutoNameDlg::CAutoNameDlg(std::string kind, ISettingsStore& settings, QWidget* parent)
    : QDialog(parent), kind_(std::move(kind)), settings_(settings), choice_(new QComboBox(this)),
      expression_(new QLineEdit(this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    for (int choice = ChoiceExpression; choice <= ChoiceNumberLengthWidth; ++choice)
        choice_->addItem(UiText(kTextFirstChoice + choice));
    auto* help = new QPlainTextEdit(UiText(kKeywordHelp).replace("\r\n", "\n"), this);
    help->setReadOnly(true);

    auto* form = new QFormLayout(this);
    form->addRow(UiText(kTextNameLabel), choice_);
    form->addRow(UiText(kTextExpressionLabel), expression_);
    form->addRow(help);
    form->addRow(CreateOkCancel(this, Id));

    const QString saved = QString::fromStdString(settings_.GetProfileString(kSection, kind_, kNumber));
    expression_->setText(saved);
    Choice choice = ChoiceExpression;
    if (saved.compare(kNumberLengthWidth, Qt::CaseInsensitive) == 0)
        choice = ChoiceNumberLengthWidth;
    else if (saved.compare(kNumber, Qt::CaseInsensitive) == 0)
        choice = ChoiceNumber;
    choice_->setCurrentIndex(choice);
    OnChoice(choice);
    connect(choice_, &QComboBox::currentIndexChanged, this, &CAutoNameDlg::OnChoice);
}

void CAutoNameDlg::OnChoice(int choice)
{
    switch (choice) {
    case ChoiceNumber:
        expression_->setText(kNumber);
        break;
    case ChoiceNumberLengthWidth:
        expression_->setText(kNumberLengthWidth);
        break;
    default:
        if (expression_->text().isEmpty())
            expression_->setText(kNumber);
        break;
    }
    expression_->setEnabled(choice == ChoiceExpression);
}

QString CAutoNameDlg::Expression() const
{
    return expression_->text();
}

void CAutoNameDlg::accept()
{
    settings_.WriteString(kSection, kind_, Expression().toStdString());
    QDialog::accept();
}

} // namespace vellicor
