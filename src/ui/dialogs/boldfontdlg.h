#pragma once

#include <QDialog>
#include <QFont>

namespace vellicor {

// The base of the dialogs built around a grid: the program's icon and a bold copy of the dialog's
// font for the controls that should stand out.
class CBoldFontDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBoldFontDlg(QWidget* parent = nullptr);

    const QFont& BoldFont() const { return bold_; }
    void SetBoldFont(QWidget* control) const;

private:
    QFont bold_;
};

} // namespace vellicor
