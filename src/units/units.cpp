#include "units/units.h"

#include "platform/settingsstore.h"
#include "units/codepage.h"
#include "units/numtext.h"
#include "units/textutil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vellicor {
namespace {

constexpr std::array<UnitDef, 6> kUnits{{
    {"mm", "mm\u00B2", 1.0, 1.0},
    {"cm", "cm\u00B2", 10.0, 100.0},
    {"m", "m\u00B2", 1000.0, 1000000.0},
    {"Inch (Fractional 8/32\")", "inch\u00B2", 25.4, 645.16},
    {"Inch (Decimal 6.25)", "inch\u00B2", 25.4, 645.16},
    {"feet", "Sq ft", 304.8, 92903.04},
}};
constexpr std::array<int, 5> kDenominators{8, 16, 32, 64, 128};
constexpr std::array<int, 4> kDecimals{0, 1, 2, 3};

UnitSettings g_settings;

template <typename Array>
bool InRange(int index, const Array& a)
{
    return index >= 0 && index < static_cast<int>(a.size());
}

const UnitDef& LengthUnit()
{
    return kUnits[static_cast<std::size_t>(g_settings.lengthUnit)];
}

const UnitDef& AreaUnit()
{
    return kUnits[static_cast<std::size_t>(g_settings.areaUnit)];
}

} // namespace

const std::array<UnitDef, 6>& UnitTable()
{
    return kUnits;
}

const std::array<int, 5>& FractionDenominators()
{
    return kDenominators;
}

const std::array<int, 4>& DecimalCounts()
{
    return kDecimals;
}

const UnitSettings& CurrentUnitSettings()
{
    return g_settings;
}

void SetUnitSettings(const UnitSettings& s)
{
    if (InRange(s.lengthUnit, kUnits))
        g_settings.lengthUnit = s.lengthUnit;
    if (InRange(s.areaUnit, kUnits))
        g_settings.areaUnit = s.areaUnit;
    if (InRange(s.denominatorIndex, kDenominators))
        g_settings.denominatorIndex = s.denominatorIndex;
    if (InRange(s.decimalsIndex, kDecimals))
        g_settings.decimalsIndex = s.decimalsIndex;
}

int CurrentFractionDenominator()
{
    return kDenominators[static_cast<std::size_t>(g_settings.denominatorIndex)];
}

int CurrentDecimals()
{
    return kDecimals[static_cast<std::size_t>(g_settings.decimalsIndex)];
}

void LoadUnitSettings(const ISettingsStore& store)
{
    std::string lengthFallback = LengthUnit().lengthName;
    lengthFallback = lengthFallback.substr(0, lengthFallback.find('('));
    // A store carried over from Windows may hold the names in code page 1252.
    const std::string unitLen = ExternalToUtf8(store.GetProfileString("Settings", "UnitLen", lengthFallback));
    const std::string unitArea = ExternalToUtf8(store.GetProfileString("Settings", "UnitArea", AreaUnit().areaName));
    const int denominator = store.GetProfileInt("Settings", "UnitInchFractionDenom", CurrentFractionDenominator());
    const int decimals = store.GetProfileInt("Settings", "UnitNoOfDecimals", CurrentDecimals());

    for (int i = 0; i < static_cast<int>(kUnits.size()); ++i) {
        if (unitLen == kUnits[static_cast<std::size_t>(i)].lengthName)
            g_settings.lengthUnit = i;
        if (unitArea == kUnits[static_cast<std::size_t>(i)].areaName)
            g_settings.areaUnit = i;
    }
    for (int i = 0; i < static_cast<int>(kDenominators.size()); ++i)
        if (kDenominators[static_cast<std::size_t>(i)] == denominator)
            g_settings.denominatorIndex = i;
    for (int i = 0; i < static_cast<int>(kDecimals.size()); ++i)
        if (kDecimals[static_cast<std::size_t>(i)] == decimals)
            g_settings.decimalsIndex = i;
}

bool ApplyUnitSettings(ISettingsStore& store, const UnitSettings& chosen)
{
    const UnitSettings before = g_settings;
    SetUnitSettings(chosen);
    bool written = false;
    if (g_settings.lengthUnit != before.lengthUnit) {
        store.WriteString("Settings", "UnitLen", LengthUnit().lengthName);
        written = true;
    }
    if (g_settings.areaUnit != before.areaUnit) {
        store.WriteString("Settings", "UnitArea", AreaUnit().areaName);
        written = true;
    }
    if (g_settings.denominatorIndex != before.denominatorIndex) {
        store.WriteInt("Settings", "UnitInchFractionDenom", CurrentFractionDenominator());
        written = true;
    }
    if (g_settings.decimalsIndex != before.decimalsIndex) {
        store.WriteInt("Settings", "UnitNoOfDecimals", CurrentDecimals());
        written = true;
    }
    return written;
}

std::string FormatNumber(double value)
{
    return FormatNumber(value, CurrentDecimals());
}

std::string FormatLength(double mm)
{
    const double x = mm / LengthUnit().mmPerUnit;
    if (g_settings.lengthUnit != kUnitInchFraction)
        return FormatNumber(x);

    const int denominator = CurrentFractionDenominator();
    const double whole = std::trunc(x);
    // Beyond 2^53 a double has no fraction left, and beyond 2^63 no whole number fits a long long.
    if (!(std::fabs(whole) < 9007199254740992.0))
        return FormatNumber(whole, 0) + "\"";
    const long long n = std::llround(RoundDecimals(denominator * (x - whole), 0));
    const long long w = static_cast<long long>(whole);
    char buf[96];
    if (n == denominator)
        std::snprintf(buf, sizeof buf, "%lld\"", w + 1);
    else if (n == 0)
        std::snprintf(buf, sizeof buf, "%lld\"", w);
    else
        std::snprintf(buf, sizeof buf, "%lld %lld/%d\"", w, n, denominator);
    return buf;
}

double ParseInchFraction(const std::string& input)
{
    std::string text = input.substr(0, input.find('"'));
    const auto space = text.find(' ');
    const auto slash = text.find('/');
    const auto point = text.find(DecimalPointChar());
    const int current = CurrentFractionDenominator();

    int whole = 0;
    int numerator = 0;
    int denominator = 0;
    if (space == std::string::npos) {
        if (point != std::string::npos)
            return ParseDouble(text);
        if (slash == std::string::npos)
            return ParseInt(text);
        numerator = ParseInt(text.substr(0, slash));
        denominator = ParseInt(text.substr(slash + 1));
    } else {
        whole = ParseInt(text.substr(0, space));
        numerator = ParseInt(text.substr(space + 1));
        denominator = slash != std::string::npos ? ParseInt(text.substr(slash + 1)) : current;
    }
    if (denominator == 0)
        denominator = current;
    if (numerator > denominator) {
        if (numerator < current)
            denominator = current;
        else
            numerator = 0;
    }
    return whole + static_cast<double>(numerator) / denominator;
}

bool IsLengthText(const std::string& input)
{
    const std::string text = Trim(input);
    if (g_settings.lengthUnit != kUnitInchFraction || IsNumberText(text))
        return IsNumberText(text);
    const std::string inches = Trim(text.substr(0, text.find('"')));
    if (inches.empty() || text.find('"') < text.size() - 1)
        return false;
    return std::all_of(inches.begin(), inches.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == ' ' || c == '/' || c == DecimalPointChar();
    });
}

double ParseLength(const std::string& input)
{
    const std::string text = Trim(input);
    const double value = g_settings.lengthUnit == kUnitInchFraction ? ParseInchFraction(text) : ParseDouble(text);
    return value * LengthUnit().mmPerUnit;
}

std::string FormatArea(double mm2)
{
    return FormatNumber(mm2 / AreaUnit().mm2PerUnit);
}

double ParseArea(const std::string& text)
{
    return ParseDouble(text) * AreaUnit().mm2PerUnit;
}

double LengthToUnit(double mm)
{
    return mm / LengthUnit().mmPerUnit;
}

double LengthFromUnit(double value)
{
    return value * LengthUnit().mmPerUnit;
}

} // namespace vellicor
