#include "optimiser/wholepieces.h"

#include "model/coilpart.h"
#include "model/layout.h"
#include "units/numeric.h"

#include <algorithm>
#include <cmath>

namespace vellicor {

void RoundUpToWholePieces(CLayout& layout)
{
    const double used = layout.UsedLength();
    double length = used;
    for (const auto& slit : layout.SlitPositions) {
        const CCoilPart& part = *slit->Part;
        if (part.Kind != KindPart)
            continue;
        // The part's dimension along the coil.
        const double piece = slit->Rotated ? part.Length : part.Width;
        if (piece <= 0.0)
            continue;
        const double n = used / piece;
        const double whole = std::trunc(n);
        const double pieces = IsZero(n - whole) ? whole : std::trunc(n + 1);
        length = std::max(length, pieces * piece);
    }
    layout.SetWeightFromLength(length);
}

void RoundUpToWholePieces(CLayoutList& layouts)
{
    for (const auto& layout : layouts)
        RoundUpToWholePieces(*layout);
}

} // namespace vellicor
