#pragma once

#include <QDialog>

class QLabel;

namespace vellicor {

class CLinkLabel;
class IShell;
class IUserMessages;

// "About VANT - Vellicor": the product name and version, what the program is for, and a link to
// the product's web site.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 100;

    CAboutDlg(IShell& shell, IUserMessages& messages, QWidget* parent = nullptr);

    QLabel* VersionLine() const { return version_; }
    CLinkLabel* Link() const { return link_; }

private:
    QLabel* version_;
    CLinkLabel* link_;
};

// The version line: the product name and the version, "VANT Vellicor 2.18".
QString AboutVersionText();

} // namespace vellicor
