#pragma once

#include "model/settings.h"
#include "optimiser/engine.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace vellicor {

class CLenEdit;
class ISettingsStore;
class IUserMessages;

// "Settings...": every cut setting of a job, lengths in the current unit, and the optimiser engine.
// Each value must lie in the range the stored defaults accept; OK and "Save as default" refuse a
// value outside it, naming the field. "Save as default" writes them all as the defaults every new
// job starts from.
class CCutSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 159;
    static constexpr int IdSaveDefault = 1026;

    CCutSettingsDlg(const CSettings& settings, ISettingsStore& store, IUserMessages& messages,
                    QWidget* parent = nullptr);

    // The values the boxes read; lengths in millimetres.
    CSettings Settings() const;
    EOptimiserEngine Engine() const;

    CLenEdit* KerfEdit() const { return kerf_; }
    CLenEdit* MinOffCutEdit() const { return minOffCut_; }
    CLenEdit* MinCutWidthEdit() const { return minCutWidth_; }
    QLineEdit* MaxKnivesEdit() const { return maxKnives_; }
    QLineEdit* MaxDifSlitsEdit() const { return maxDifSlits_; }
    QLineEdit* MinPatWtEdit() const { return minPatWt_; }
    QLineEdit* CoilChangCostEdit() const { return coilChangCost_; }
    QLineEdit* KnifeSettCostEdit() const { return knifeSettCost_; }
    QComboBox* EngineBox() const { return engine_; }

    void accept() override;

private:
    // The first box whose value is out of range gets the focus and a message; false then.
    bool Validate();
    void SaveAsDefault();

    ISettingsStore& store_;
    IUserMessages& messages_;
    CSettings settings_;
    CLenEdit* kerf_;
    CLenEdit* minOffCut_;
    CLenEdit* minCutWidth_;
    QLineEdit* maxKnives_;
    QLineEdit* maxDifSlits_;
    QLineEdit* minPatWt_;
    QLineEdit* coilChangCost_;
    QLineEdit* knifeSettCost_;
    QComboBox* engine_;
};

} // namespace vellicor
