#pragma once

#include <QDialog>

namespace vellicor {

class CLenEdit;

// "Settings...": the kerf and the minimum offcut width of a job, in the current length unit.
class CCutSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 159;

    CCutSettingsDlg(double kerf, double minOffCut, QWidget* parent = nullptr);

    // The values the boxes read, in millimetres.
    double Kerf() const;
    double MinOffCut() const;

    CLenEdit* KerfEdit() const { return kerf_; }
    CLenEdit* MinOffCutEdit() const { return minOffCut_; }

private:
    CLenEdit* kerf_;
    CLenEdit* minOffCut_;
};

} // namespace vellicor
