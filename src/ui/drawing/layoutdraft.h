#pragma once

#include <vector>

namespace vellicor {

class CCoil;
class CCoilPart;
class CLayout;

// A layout as the pattern editor holds it while its rows change, saved or not: the coil, the items
// cut side by side across it, each turned or not, and the kerf after each of them. The records
// belong to the document.
struct LayoutDraft {
    struct Position {
        const CCoilPart* Part = nullptr;
        bool Rotated = false;
    };

    const CCoil* Coil = nullptr;
    std::vector<Position> Positions;
    double Kerf = 0.0;
};

LayoutDraft DraftOf(const CLayout& layout);

// One piece across the coil, in millimetres from its left edge.
struct DraftSegment {
    enum class Kind { LeftTrim, Slit, Kerf, Offcut, Scrap, RightTrim, Overflow };

    Kind kind;
    double from;
    double to;
    // For a slit: the item and whether it is turned.
    const CCoilPart* part = nullptr;
    bool rotated = false;

    double Width() const { return to - from; }
};

// Left to right: the left trim, each item followed by its kerf, the rest (an offcut when it is at
// least `minOffCut` wide, else scrap) and the right trim. Items that do not fit run past the right
// trim; an Overflow segment, last, spans what lies beyond the usable width. Empty without a coil
// of some width.
std::vector<DraftSegment> DraftSegments(const LayoutDraft& draft, double minOffCut);

} // namespace vellicor
