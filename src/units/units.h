#pragma once

#include <array>
#include <string>

namespace vellicor {

class ISettingsStore;

struct UnitDef {
    const char* lengthName;
    const char* areaName;
    double mmPerUnit;
    double mm2PerUnit;
};

inline constexpr int kUnitMm = 0;
inline constexpr int kUnitCm = 1;
inline constexpr int kUnitM = 2;
inline constexpr int kUnitInchFraction = 3;
inline constexpr int kUnitInchDecimal = 4;
inline constexpr int kUnitFeet = 5;

const std::array<UnitDef, 6>& UnitTable();
const std::array<int, 5>& FractionDenominators();
const std::array<int, 4>& DecimalCounts();

// The four process-wide unit settings, as indexes into the tables above.
struct UnitSettings {
    int lengthUnit = kUnitMm;
    int areaUnit = kUnitM;
    int denominatorIndex = 2;
    int decimalsIndex = 3;

    bool operator==(const UnitSettings&) const = default;
};

const UnitSettings& CurrentUnitSettings();
// Out-of-range indexes are ignored field by field.
void SetUnitSettings(const UnitSettings& settings);
int CurrentFractionDenominator();
int CurrentDecimals();

// Reads section "Settings" of the store; values that match no table entry leave a setting as it is.
void LoadUnitSettings(const ISettingsStore& store);

// Makes `chosen` current and writes each setting that differs from the current one; true when
// anything was written. The OK step of the Select Unit dialog.
bool ApplyUnitSettings(ISettingsStore& store, const UnitSettings& chosen);

// Text of a length or area in the current unit, and back.
std::string FormatLength(double mm);
double ParseLength(const std::string& text);
double ParseInchFraction(const std::string& text);
// The text reads as a length in the current unit: a number, or in fractional inches also whole
// inches and a fraction ("6 8", "6 1/2", "3/4") with an optional closing '"'.
bool IsLengthText(const std::string& text);
std::string FormatArea(double mm2);
double ParseArea(const std::string& text);

// A length as a plain number of the current unit (inches for both inch units), and back.
double LengthToUnit(double mm);
double LengthFromUnit(double value);

// The number display rule with the current decimal count.
std::string FormatNumber(double value);

} // namespace vellicor
