#pragma once

#include <cstddef>
#include <vector>

namespace vellicor {

class CLayout;
class CLayoutList;

// The cost of changing from one layout to the other: a knife move for every slit width that the
// other layout does not share, 1.1 for every knife more or less, and the moves once more when the
// coil changes. Symmetric; 0 for the same widths on the same stock row.
double LayoutDistance(const CLayout& a, const CLayout& b);

// Sum of LayoutDistance over consecutive layouts of the list (0 for fewer than two).
double ChangeCost(const CLayoutList& layouts);

// LayoutDistance between every ordered pair of layouts of a list, by position.
class CDistanceTable {
public:
    explicit CDistanceTable(const CLayoutList& layouts);

    int GetCount() const { return count_; }
    double At(int from, int to) const { return values_[static_cast<std::size_t>(from * count_ + to)]; }

private:
    int count_;
    std::vector<double> values_;
};

// Improves the closed tour 0, 1, ..., n - 1 by simulated annealing and returns the improved tour as
// positions of the table. The generators are seeded afresh on every call, so the same table always
// gives the same tour. Needs at least four positions.
std::vector<int> AnnealTour(const CDistanceTable& distances);

// Where to open the closed tour of the list's layouts (at least two): the position after its most
// expensive change. Ties keep the earlier change; the change from the last layout back to the first
// wins only when strictly more expensive.
int LongestEdgeStart(const CLayoutList& layouts);

// Puts the layouts into cutting order: the annealed tour, opened at its most expensive change.
// Fewer than four layouts keep their order. Only the order changes, never a layout.
void SequenceLayouts(CLayoutList& layouts);

} // namespace vellicor
