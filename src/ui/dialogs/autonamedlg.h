#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

namespace vellicor {

class ISettingsStore;

// "$N" the row number, "$L" and "$W" the length and width as shown, "$Q" the quantity and "$M"
// the material, replaced in this order and case-sensitively.
std::string ExpandAutoName(std::string expression, int row, const std::string& length, const std::string& width,
                           int qty, const std::string& material);

// "Generate names automatically...": the expression that names every row of a kind of item, kept
// in section "AutoName" under the kind's value.
class CAutoNameDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 617;
    static constexpr int kKeywordHelp = 187;
    // Positions in the "Name" list.
    enum Choice { ChoiceExpression, ChoiceNumber, ChoiceNumberLengthWidth };

    CAutoNameDlg(std::string kind, ISettingsStore& settings, QWidget* parent = nullptr);

    QString Expression() const;
    QComboBox* NameList() const { return choice_; }
    QLineEdit* ExpressionEdit() const { return expression_; }

    // Keeps the expression for the next time.
    void accept() override;

private:
    void OnChoice(int choice);

    std::string kind_;
    ISettingsStore& settings_;
    QComboBox* choice_;
    QLineEdit* expression_;
};

} // namespace vellicor
