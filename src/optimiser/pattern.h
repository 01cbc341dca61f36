#pragma once

#include "optimiser/optimiser.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace vellicor {

// A slit of a pattern is a position in the width table.
using SlitPos = std::uint16_t;
inline constexpr std::size_t MaxWidthEntries = 65535;
// The job file keeps a layout's slit count in 16 bits.
inline constexpr std::size_t MaxLayoutSlits = 65535;

// A pattern as its comparisons and scores see it: ascending positions and the total width.
struct CPatternView {
    std::span<const SlitPos> Positions;
    double Total = 0.0;
};

// The widths in position order, then one kerf per slit.
double PatternTotal(std::span<const SlitPos> positions, std::span<const CSlitWidth> widths, double kerf);
// Different positions; two positions of the same width count as different.
int DistinctCount(std::span<const SlitPos> positions);

// Totals exactly equal and the same positions.
bool PatternsEqual(CPatternView a, CPatternView b);

// One pattern on its own: the pattern of a column, to which filler slits are added.
class CPattern {
public:
    CPattern() = default;
    CPattern(std::vector<SlitPos> positions, double total) : Positions(std::move(positions)), Total(total) {}

    CPatternView View() const { return {Positions, Total}; }

    std::vector<SlitPos> Positions;
    double Total = 0.0;
};

// Many patterns without an allocation of their own: a pattern of up to InlineSlits slits (the
// longest a combination has with the default knife limit) lives in its entry, a longer one in a
// shared buffer. Sorting or dropping patterns moves only their entries.
class CPatternList {
public:
    static constexpr std::uint32_t InlineSlits = 11;

    struct Entry {
        double Total = 0.0;
        std::uint32_t Count = 0;
        std::uint32_t Hash = 0;
        // The positions, or for a longer pattern the offset of its positions in Spill.
        SlitPos Inline[InlineSlits] = {};
        // Free for the stage that works on the list.
        std::uint16_t Mark = 0;
    };

    std::size_t Size() const { return Entries.size(); }
    bool Empty() const { return Entries.empty(); }
    std::span<const SlitPos> Positions(const Entry& e) const;
    std::span<const SlitPos> Positions(std::size_t i) const { return Positions(Entries[i]); }
    CPatternView View(const Entry& e) const { return {Positions(e), e.Total}; }
    CPatternView View(std::size_t i) const { return View(Entries[i]); }
    // The pattern order: the larger total first unless the totals are within tolerance, then fewer
    // slits, then the smaller positions. Not a strict weak order (the tolerance is not transitive),
    // so only sorts that stay in bounds with any comparator may use it.
    bool Before(const Entry& a, const Entry& b) const;

    void Add(std::span<const SlitPos> positions, double total);
    void Add(std::span<const SlitPos> positions, double total, std::uint32_t hash);
    void Clear();

    // Grows block by block: never a copy of the whole list, so a pass's peak is what it holds.
    std::deque<Entry> Entries;
    std::vector<SlitPos> Spill;
};

std::uint32_t HashPositions(std::span<const SlitPos> positions);

// Finds patterns of a list by their positions in constant time.
class CPatternIndex {
public:
    static constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

    explicit CPatternIndex(const CPatternList& list) : list_(&list) {}

    // The entry of the list with these positions, or NotFound.
    std::size_t Find(std::span<const SlitPos> positions, std::uint32_t hash) const;
    // Indexes entry i of the list, which must not be indexed yet.
    void Insert(std::size_t i);
    // Frees the table.
    void Release();

private:
    void Grow();
    void Place(std::uint64_t stored);

    const CPatternList* list_;
    // The hash in the high half and the entry index + 1 in the low half; 0 is a free slot.
    std::vector<std::uint64_t> table_;
    std::size_t count_ = 0;
};

// Sorts by the pattern order and drops every pattern equal to the last one kept. The sort is a
// stable merge sort: memory-safe with a comparator that is not a strict weak order, and patterns
// equal in every key keep the order in which they were made.
void SortUnique(CPatternList& list);

} // namespace vellicor
