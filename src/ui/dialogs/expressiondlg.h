#pragma once

#include "ui/dialogs/boldfontdlg.h"

class QLineEdit;

namespace vellicor {

// "Input Expression for Selected Cells": the expression of "Evaluate Expression..." and
// "Format Expression...".
class CExpressionDlg : public CBoldFontDlg {
    Q_OBJECT
public:
    static constexpr int Id = 871;
    static constexpr int IdExpression = 1000;
    // The static texts explaining the syntax, the first three shown in bold.
    static constexpr int IdHelpFirst = 1001;
    static constexpr int IdHelpLast = 1005;

    explicit CExpressionDlg(QWidget* parent = nullptr);

    QString Expression() const;
    QLineEdit* ExpressionEdit() const { return edit_; }

private:
    QLineEdit* edit_;
};

} // namespace vellicor
