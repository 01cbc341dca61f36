#pragma once

#include "model/coilpart.h"

namespace vellicor {

class ISettingsStore;

// The range LoadDefaults accepts for the stored doubles.
inline constexpr double kSettingMin = 0.0;
inline constexpr double kSettingMax = UnlimitedQty;
// The job file keeps MaxKnives in 16 bits; MaxDifSlits takes the same range.
inline constexpr int kSettingCountMax = 65535;

// The cut settings of a job.
class CSettings {
public:
    // The built-in defaults.
    CSettings() = default;
    // The built-in defaults, then the stored defaults of section "SettingDef".
    explicit CSettings(const ISettingsStore& defaults) { LoadDefaults(defaults); }

    void LoadDefaults(const ISettingsStore& store);
    // Writes every field as the stored default that LoadDefaults reads back.
    void SaveDefaults(ISettingsStore& store) const;

    bool operator==(const CSettings&) const = default;

    int MaxKnives = 10;
    int MaxDifSlits = 11;
    double Kerf = 0.0;
    double MinOffCut = 10.0;
    double MinPatWt = 50.0;
    double CoilChangCost = 1000.0;
    double MinKnifeSettCost = 100.0;
    double MinCutWidth = 0.0;
};

} // namespace vellicor
