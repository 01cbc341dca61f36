#pragma once

#include "optimiser/pattern.h"

#include <span>

namespace vellicor {

// How evenly a pattern serves its requirements relative to their demands: the shortest run at which
// one of them is complete, over their summed demand. 0 when the measure is undefined (no demand, or
// no slit with width), which no threshold passes.
double Balance(CPatternView p, std::span<const CSlitWidth> widths);

// The same measure after taking away the requirement that needs the longest run; 0 when it is
// undefined (no requirement with a positive run, or nothing left after it).
double BalanceAfterLongest(CPatternView p, std::span<const CSlitWidth> widths);

// The objective coefficient of a (coil, pattern) pair in cost per kg: the coil's usable cost,
// lowered for a leftover wide enough to be an offcut and for full, balanced patterns of many widths.
double ScoreColumn(const CCoilInfo& coil, CPatternView p, std::span<const CSlitWidth> widths, double minOffCut);

} // namespace vellicor
