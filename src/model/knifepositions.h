#pragma once

#include <vector>

namespace vellicor {

class CCoil;
class CLayout;

// Where the knives of one layout stand across its coil, in millimetres from the coil's left edge.
struct KnifeSetting {
    // The first knife cuts off the left trim; each next one stands a strip's width plus the
    // layout's kerf further on. One more knife than strips; none for a layout without strips.
    std::vector<double> Positions;
    // The strip widths between consecutive knives, in the layout's order.
    std::vector<double> Strips;
    // What is left between the last knife and the right trim: the layout's rest width.
    double Rest = 0.0;
};

KnifeSetting KnifePositions(const CLayout& layout, const CCoil& coil);

} // namespace vellicor
