#pragma once

#include "units/units.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace vellicor {

class ISettingsStore;

// "Select Unit": the length unit, the display decimals, the fraction denominator and the area unit.
class CUnitDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 300;

    explicit CUnitDlg(const UnitSettings& current, QWidget* parent = nullptr);

    UnitSettings Chosen() const;

    QComboBox* LengthList() const { return length_; }
    QComboBox* DecimalsList() const { return decimals_; }
    QComboBox* DenominatorList() const { return denominator_; }
    QComboBox* AreaList() const { return area_; }

private:
    // Decimals matter for every unit but the fractional inch, the denominator only for it.
    void UpdateEnabling();

    QComboBox* length_;
    QComboBox* decimals_;
    QComboBox* denominator_;
    QComboBox* area_;
    QLabel* decimalsLabel_;
    QLabel* denominatorLabel_;
};

// Runs the dialog; on OK makes and stores the changed settings. True when anything changed.
bool EditUnitSettings(ISettingsStore& store, QWidget* parent);

} // namespace vellicor
