#pragma once

#include "optimiser/pattern.h"

#include <cstddef>
#include <span>
#include <vector>

namespace vellicor {

class CStopToken;

// One width the pricing may put into a pattern, with what a slit of it is worth to the master
// program (its requirement's dual price times the width).
struct CPricingItem {
    SlitPos Position = 0;
    double Width = 0.0;
    double Value = 0.0;
};

// What makes a pattern fit one coil: the combined patterns' knife and distinct-width limits, the
// half-width floor of a column, and the full-width patterns, which only the coil width bounds.
struct CPatternRules {
    double UsableWidth = 0.0;
    double Kerf = 0.0;
    int MaxSlits = 0;
    // 0: no limit.
    int MaxDistinct = 0;
};

struct CPricedPattern {
    std::vector<SlitPos> Positions; // ascending
    double Value = 0.0;
    // No pattern is worth more than this; equal to Value when the search ran to its end.
    double UpperValue = 0.0;
};

// The fitting pattern of greatest value, found by a depth-first branch and bound over the items;
// empty when nothing fits. The search gives up after `nodeBudget` nodes or when asked to stop,
// keeping the best pattern so far and a proven upper value.
CPricedPattern PriceBestPattern(std::span<const CPricingItem> items, const CPatternRules& rules,
                                std::size_t nodeBudget, const CStopToken* stop);

// The same with at least one slit of `forced`, whatever its worth: the best company for a width
// that the minimum pattern weight would otherwise over-produce on its own.
CPricedPattern PriceBestPatternWith(std::span<const CPricingItem> items, const CPatternRules& rules,
                                    const CPricingItem& forced, std::size_t nodeBudget, const CStopToken* stop);

} // namespace vellicor
