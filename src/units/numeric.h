#pragma once

#include <cmath>

namespace vellicor {

inline constexpr double kTolerance = 0.00001;

inline bool IsZero(double x) { return std::fabs(x) < kTolerance; }
inline bool IsEqual(double a, double b) { return std::fabs(a - b) < kTolerance; }

// Exact three-way compares for sorting: -1, 0 or 1.
inline int CompareDouble(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
inline int CompareInt(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

// Truncates toward zero into an int, saturating at the int range (NaN gives 0).
int TruncToInt(double x);

} // namespace vellicor
