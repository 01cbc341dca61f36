#include "optimiser/pattern.h"

#include "units/numeric.h"

#include <algorithm>
#include <cstring>

namespace vellicor {

double PatternTotal(std::span<const SlitPos> positions, std::span<const CSlitWidth> widths, double kerf)
{
    double sum = 0.0;
    for (SlitPos k : positions)
        sum += widths[k].Width;
    return sum + static_cast<double>(positions.size()) * kerf;
}

int DistinctCount(std::span<const SlitPos> positions)
{
    int count = 0;
    for (std::size_t i = 0; i < positions.size(); ++i)
        if (i == 0 || positions[i] != positions[i - 1])
            ++count;
    return count;
}

bool PatternsEqual(CPatternView a, CPatternView b)
{
    return a.Total == b.Total && std::equal(a.Positions.begin(), a.Positions.end(), b.Positions.begin(),
                                            b.Positions.end());
}

std::uint32_t HashPositions(std::span<const SlitPos> positions)
{
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ positions.size();
    for (SlitPos k : positions)
        h = (h ^ k) * 0x100000001b3ull;
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

void CPatternList::Add(std::span<const SlitPos> positions, double total)
{
    Add(positions, total, HashPositions(positions));
}

void CPatternList::Add(std::span<const SlitPos> positions, double total, std::uint32_t hash)
{
    Entry& e = Entries.emplace_back();
    e.Total = total;
    e.Count = static_cast<std::uint32_t>(positions.size());
    e.Hash = hash;
    if (e.Count <= InlineSlits) {
        std::copy(positions.begin(), positions.end(), e.Inline);
        return;
    }
    const std::size_t offset = Spill.size();
    static_assert(sizeof offset <= sizeof e.Inline);
    std::memcpy(e.Inline, &offset, sizeof offset);
    Spill.insert(Spill.end(), positions.begin(), positions.end());
}

std::span<const SlitPos> CPatternList::Positions(const Entry& e) const
{
    if (e.Count <= InlineSlits)
        return {e.Inline, e.Count};
    std::size_t offset = 0;
    std::memcpy(&offset, e.Inline, sizeof offset);
    return {Spill.data() + offset, e.Count};
}

bool CPatternList::Before(const Entry& a, const Entry& b) const
{
    if (!IsEqual(a.Total, b.Total))
        return a.Total > b.Total;
    if (a.Count != b.Count)
        return a.Count < b.Count;
    const auto pa = Positions(a);
    const auto pb = Positions(b);
    return std::lexicographical_compare(pa.begin(), pa.end(), pb.begin(), pb.end());
}

void CPatternList::Clear()
{
    Entries.clear();
    Spill.clear();
}

std::size_t CPatternIndex::Find(std::span<const SlitPos> positions, std::uint32_t hash) const
{
    if (table_.empty())
        return NotFound;
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t stored = table_[slot];
        if (stored == 0)
            return NotFound;
        if ((stored >> 32) == hash) {
            const std::size_t i = (stored & 0xffffffffu) - 1;
            const auto other = list_->Positions(i);
            if (std::equal(positions.begin(), positions.end(), other.begin(), other.end()))
                return i;
        }
    }
}

void CPatternIndex::Insert(std::size_t i)
{
    if (2 * (count_ + 1) > table_.size())
        Grow();
    const std::uint64_t hash = list_->Entries[i].Hash;
    Place((hash << 32) | (i + 1));
    ++count_;
}

void CPatternIndex::Place(std::uint64_t stored)
{
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = (stored >> 32) & mask;
    while (table_[slot] != 0)
        slot = (slot + 1) & mask;
    table_[slot] = stored;
}

void CPatternIndex::Grow()
{
    std::vector<std::uint64_t> old(std::max<std::size_t>(64, 2 * table_.size()), 0);
    old.swap(table_);
    for (std::uint64_t stored : old)
        if (stored != 0)
            Place(stored);
}

void CPatternIndex::Release()
{
    std::vector<std::uint64_t>().swap(table_);
    count_ = 0;
}

void SortUnique(CPatternList& list)
{
    auto& entries = list.Entries;
    std::stable_sort(entries.begin(), entries.end(),
                     [&list](const auto& a, const auto& b) { return list.Before(a, b); });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [&list](const auto& a, const auto& b) {
                                  return PatternsEqual(list.View(a), list.View(b));
                              }),
                  entries.end());
}

} // namespace vellicor
