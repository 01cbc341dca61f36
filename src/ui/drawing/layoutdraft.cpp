#include "ui/drawing/layoutdraft.h"

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "units/numeric.h"

#include <algorithm>

namespace vellicor {

LayoutDraft DraftOf(const CLayout& layout)
{
    LayoutDraft draft;
    draft.Coil = layout.Coil;
    draft.Kerf = layout.Kerf;
    for (const auto& slit : layout.SlitPositions)
        draft.Positions.push_back({slit->Part, slit->Rotated != 0});
    return draft;
}

std::vector<DraftSegment> DraftSegments(const LayoutDraft& draft, double minOffCut)
{
    using Kind = DraftSegment::Kind;
    std::vector<DraftSegment> segments;
    const CCoil* coil = draft.Coil;
    if (!coil || !(coil->Width > kTolerance))
        return segments;

    // Damaged negative sizes are drawn as nothing rather than backwards.
    const double leftTrim = std::max(coil->LeftTrim, 0.0);
    const double usableEnd = std::max(coil->Width - std::max(coil->RightTrim, 0.0), leftTrim);
    const double kerf = std::max(draft.Kerf, 0.0);
    if (leftTrim > kTolerance)
        segments.push_back({Kind::LeftTrim, 0.0, leftTrim});
    double x = leftTrim;
    for (const auto& p : draft.Positions) {
        if (!p.Part)
            continue;
        const double width = std::max(p.Rotated ? p.Part->Width : p.Part->Length, 0.0);
        segments.push_back({Kind::Slit, x, x + width, p.Part, p.Rotated});
        x += width;
        if (kerf > kTolerance) {
            segments.push_back({Kind::Kerf, x, x + kerf});
            x += kerf;
        }
    }
    const double rest = usableEnd - x;
    if (rest > kTolerance) {
        const bool offcut = rest > minOffCut || IsEqual(rest, minOffCut);
        segments.push_back({offcut ? Kind::Offcut : Kind::Scrap, x, usableEnd});
    }
    if (coil->Width - usableEnd > kTolerance)
        segments.push_back({Kind::RightTrim, usableEnd, coil->Width});
    if (rest < -kTolerance)
        segments.push_back({Kind::Overflow, usableEnd, x});
    return segments;
}

} // namespace vellicor
