#pragma once

#include "app/tipfile.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vellicor {

class ISettingsStore;
class IUserMessages;

// "Tip of the Day": shows the tips of the tips file one after the other, and from where it left
// off last time unless the file has changed since. Its place in the file and the start-up choice
// live in the settings section "Tip".
class CTipDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 104;

    CTipDlg(ISettingsStore& store, IUserMessages& messages, const std::string& tipsPath, QWidget* parent = nullptr);

    QLabel* TipText() const { return tip_; }
    QCheckBox* StartUpBox() const { return startUp_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* CloseButton() const { return close_; }

    void done(int result) override;

private:
    void ShowNextTip();

    ISettingsStore& store_;
    IUserMessages& messages_;
    CTipFile file_;
    bool fileOpen_ = false;
    QLabel* tip_;
    QCheckBox* startUp_;
    QPushButton* next_;
    QPushButton* close_;
};

// The modification time of a file as the tips state remembers it; empty when it has none.
std::string TipsFileStamp(const std::string& path);

} // namespace vellicor
