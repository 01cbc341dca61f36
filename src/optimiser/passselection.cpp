#include "optimiser/passselection.h"

#include "optimiser/patternscore.h"
#include "units/numeric.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vellicor {

namespace {

// Whole tolerance steps. Values a little apart share a step as they share the tolerance, but
// unlike the tolerance the steps are transitive.
double Step(double v) { return std::round(v / kTolerance); }

// Calls f once for each different position of ascending positions.
template <typename F>
bool AnyDistinct(std::span<const SlitPos> positions, F f)
{
    for (std::size_t i = 0; i < positions.size(); ++i)
        if ((i == 0 || positions[i] != positions[i - 1]) && f(positions[i]))
            return true;
    return false;
}

} // namespace

CPassSelection::CPassSelection(std::span<const CSlitWidth> widths, std::size_t positions, double maxUsableWidth,
                               int iteration)
    : widths_(widths), positions_(positions), maxUsableWidth_(maxUsableWidth),
      index_(held_), worstByUse_(positions, None), worstByBalance_(positions, None)
{
    const int limit = TruncToInt(1000.0 * std::pow(1.1, iteration));
    limit_ = static_cast<std::size_t>(limit);
    const int keepByUse = TruncToInt(0.7 * limit);
    const int keepByBalance = limit - keepByUse;
    double amounts = 0.0;
    for (std::size_t k = 0; k < positions; ++k)
        amounts += widths[k].Info->Amount;
    const double divisor = amounts < 0.1 ? 1.0 : amounts;
    std::size_t quotas = 0;
    for (std::size_t k = 0; k < positions; ++k) {
        const double share = widths[k].Info->Amount / divisor;
        quotaByUse_.push_back(static_cast<std::size_t>(std::max(150, TruncToInt(share * keepByUse))));
        quotaByBalance_.push_back(static_cast<std::size_t>(std::max(75, TruncToInt(share * keepByBalance))));
        quotas += quotaByUse_.back() + quotaByBalance_.back();
    }
    // Room for several times what survives, so that a prune is due only after many offers.
    capacity_ = std::max({limit_, 4 * quotas, std::size_t{1} << 16});
}

bool CPassSelection::Before(const Keys& a, std::span<const SlitPos> pa, std::uint32_t b, bool byBalance) const
{
    const Keys& kb = keys_[b];
    const double va = byBalance ? a.Balance : a.Use;
    const double vb = byBalance ? kb.Balance : kb.Use;
    if (va != vb)
        return va > vb;
    if (a.Total != kb.Total)
        return a.Total > kb.Total;
    const auto pb = held_.Positions(b);
    if (pa.size() != pb.size())
        return pa.size() < pb.size();
    return std::lexicographical_compare(pa.begin(), pa.end(), pb.begin(), pb.end());
}

// Whether the pattern beats the worst kept one of one of its positions. Fills in the balance key
// when it gets that far.
bool CPassSelection::Wanted(std::span<const SlitPos> positions, double total, Keys& keys, bool& balanced) const
{
    if (AnyDistinct(positions, [&](SlitPos k) {
            return worstByUse_[k] == None || Before(keys, positions, worstByUse_[k], false);
        }))
        return true;
    keys.Balance = Step(Balance({positions, total}, widths_));
    balanced = true;
    return AnyDistinct(positions, [&](SlitPos k) {
        return worstByBalance_[k] == None || Before(keys, positions, worstByBalance_[k], true);
    });
}

void CPassSelection::Offer(std::span<const SlitPos> positions, double total)
{
    Keys keys{Step(total / maxUsableWidth_), 0.0, Step(total)};
    bool balanced = false;
    if (pruned_ && !Wanted(positions, total, keys, balanced))
        return;
    const std::uint32_t hash = HashPositions(positions);
    if (index_.Find(positions, hash) != CPatternIndex::NotFound)
        return;
    // Below the limit no balance is asked for: the first prune finds those it needs.
    if (pruned_ && !balanced)
        keys.Balance = Step(Balance({positions, total}, widths_));
    held_.Add(positions, total, hash);
    index_.Insert(held_.Size() - 1);
    keys_.push_back(keys);
    if (held_.Size() >= capacity_)
        Prune();
}

void CPassSelection::MarkBest(std::vector<std::uint32_t>& members, std::size_t quota, bool byBalance,
                              std::uint32_t& worst)
{
    if (members.size() <= quota) {
        for (std::uint32_t i : members)
            held_.Entries[i].Mark = 1;
        worst = None;
        return;
    }
    std::nth_element(members.begin(), members.begin() + static_cast<std::ptrdiff_t>(quota - 1), members.end(),
                     [&](std::uint32_t a, std::uint32_t b) {
                         return Before(keys_[a], held_.Positions(a), b, byBalance);
                     });
    for (std::size_t i = 0; i < quota; ++i)
        held_.Entries[members[i]].Mark = 1;
    worst = members[quota - 1];
}

void CPassSelection::Prune()
{
    const std::size_t n = held_.Size();
    if (!pruned_)
        for (std::size_t i = 0; i < n; ++i)
            keys_[i].Balance = Step(Balance(held_.View(i), widths_));
    pruned_ = true;
    // The held patterns of each position, one block a position.
    std::vector<std::uint32_t> start(positions_ + 1, 0);
    for (auto& e : held_.Entries) {
        e.Mark = 0;
        AnyDistinct(held_.Positions(e), [&](SlitPos k) { return ++start[k + 1], false; });
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<std::uint32_t> byPosition(start.back());
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::uint32_t i = 0; i < n; ++i)
        AnyDistinct(held_.Positions(i), [&](SlitPos k) { return byPosition[next[k]++] = i, false; });

    std::vector<std::uint32_t> members;
    for (std::size_t k = 0; k < positions_; ++k) {
        const auto first = byPosition.begin() + start[k];
        const auto last = byPosition.begin() + start[k + 1];
        members.assign(first, last);
        MarkBest(members, quotaByUse_[k], false, worstByUse_[k]);
        members.assign(first, last);
        MarkBest(members, quotaByBalance_[k], true, worstByBalance_[k]);
    }

    CPatternList kept;
    std::vector<Keys> keptKeys;
    std::vector<std::uint32_t> renumbered(n, None);
    for (std::uint32_t i = 0; i < n; ++i) {
        const auto& e = held_.Entries[i];
        if (e.Mark == 0)
            continue;
        renumbered[i] = static_cast<std::uint32_t>(kept.Size());
        kept.Add(held_.Positions(e), e.Total, e.Hash);
        keptKeys.push_back(keys_[i]);
    }
    for (auto* worst : {&worstByUse_, &worstByBalance_})
        for (std::uint32_t& w : *worst)
            if (w != None)
                w = renumbered[w];
    held_ = std::move(kept);
    keys_ = std::move(keptKeys);
    index_.Release();
    for (std::size_t i = 0; i < held_.Size(); ++i)
        index_.Insert(i);
}

CPatternList CPassSelection::Take()
{
    if (!pruned_ && held_.Size() < limit_) {
        CPatternList all = std::move(held_);
        SortUnique(all);
        return all;
    }
    Prune();
    // The survivors in the balance order, the last one they were selected by, so that patterns
    // of equal totals come to the pattern order's sort in one order whichever way they came.
    std::vector<std::uint32_t> order(held_.Size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [this](std::uint32_t a, std::uint32_t b) { return Before(keys_[a], held_.Positions(a), b, true); });
    CPatternList kept;
    for (std::uint32_t i : order)
        kept.Add(held_.Positions(i), held_.Entries[i].Total, held_.Entries[i].Hash);
    SortUnique(kept);
    return kept;
}

} // namespace vellicor
