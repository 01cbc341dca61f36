#include "optimiser/wholepieces.h"

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "units/numeric.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vellicor {

namespace {

// The run in mm from which every part of the layout (kind 1) comes out in whole pieces, the part
// that needs the longest run deciding: the shortest such run from `used` up, or with `down` the
// longest one from `used` down. 0 going down when a part is longer than the whole run.
double WholePieceLength(const CLayout& layout, double used, bool down)
{
    double length = down ? 0.0 : used;
    bool anyPart = false;
    for (const auto& slit : layout.SlitPositions) {
        const CCoilPart& part = *slit->Part;
        if (part.Kind != KindPart)
            continue;
        // The part's dimension along the coil.
        const double piece = slit->Rotated ? part.Length : part.Width;
        if (piece <= 0.0)
            continue;
        anyPart = true;
        const double n = used / piece;
        const double whole = std::trunc(n);
        const double pieces = IsZero(n - whole) || down ? whole : std::trunc(n + 1);
        length = std::max(length, pieces * piece);
    }
    return anyPart ? length : used;
}

} // namespace

void RoundUpToWholePieces(CLayout& layout)
{
    layout.SetWeightFromLength(WholePieceLength(layout, layout.UsedLength(), false));
}

void RoundUpToWholePieces(CLayoutList& layouts)
{
    // What each stock row holds beyond its planned layouts: rounding up may take that, never more.
    std::map<const CCoil*, double> spare;
    for (const auto& layout : layouts)
        spare.try_emplace(layout->Coil, layout->Coil->TotalWeight());
    for (const auto& layout : layouts)
        spare[layout->Coil] -= layout->Weight;

    for (const auto& layout : layouts) {
        const double planned = layout->Weight;
        const double used = layout->UsedLength();
        RoundUpToWholePieces(*layout);
        double& left = spare[layout->Coil];
        if (layout->Weight - planned <= std::max(left, 0.0)) {
            left -= layout->Weight - planned;
            continue;
        }
        // The stock cannot give the last pieces: they are short rather than overdrawn.
        const double down = WholePieceLength(*layout, used, true);
        layout->SetWeightFromLength(down > 0.0 ? down : used);
        left -= layout->Weight - planned;
    }
}

} // namespace vellicor
