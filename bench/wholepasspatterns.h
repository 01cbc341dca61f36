#pragma once

// The pattern generation as it was before passes selected while they made their patterns: every
// pass builds its whole list, deduplicated through an index, then sorts and prunes it at once. The
// benchmarks measure the product's generation against it side by side.
//
// Its pruning sorts by one of two orders. Tolerance is the one it had: values within the tolerance
// compare equal, which is not transitive, so its merge sort leaves patterns of clearly better
// balance behind worse ones and which survive depends on how the sort met them. Steps is the
// product's order, a strict weak order, in which this generation's pool must be the product's.

#include "optimiser/pattern.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/patternscore.h"
#include "units/numeric.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace vellicor::bench {

enum class EPruneOrder { Tolerance, Steps };

class CWholePassGeneration {
public:
    CWholePassGeneration(const CPatternOptimiser& opt, EPruneOrder order)
        : widths_(opt.Widths.data(), opt.RequirementWidthCount()), kerf_(opt.Settings.Kerf),
          maxSlits_(static_cast<long long>(opt.Settings.MaxKnives) + 1), difSlitLimit_(opt.DifSlitLimit),
          maxUsableWidth_(opt.MaxUsableWidth), order_(order), poolIndex_(pool_)
    {
    }

    // The pool, sorted by the pattern order.
    const CPatternList& Generate()
    {
        const std::size_t n = widths_.size();
        for (std::size_t k = 0; k < n; ++k) {
            const SlitPos single[] = {static_cast<SlitPos>(k)};
            pool_.Add(single, PatternTotal(single, widths_, kerf_));
            poolIndex_.Insert(pool_.Size() - 1);
        }
        CPatternList fresh;
        {
            CPatternIndex index(fresh);
            CombineWithin(0, n, fresh, index);
        }
        std::size_t previousEnd = n;
        std::size_t frontierBegin = n;
        std::size_t end = MergeNew(fresh);
        iteration_ = 1;
        for (;;) {
            ++iteration_;
            fresh.Clear();
            {
                CPatternIndex index(fresh);
                CombineWithin(frontierBegin, end, fresh, index);
                CombineAcross(frontierBegin, end, 0, previousEnd, fresh, index);
            }
            if (fresh.Empty())
                break;
            Prune(fresh);
            const std::size_t newEnd = MergeNew(fresh);
            if (newEnd == end)
                break;
            previousEnd = end;
            frontierBegin = end;
            end = newEnd;
        }
        SortUnique(pool_);
        return pool_;
    }

    int Iteration() const { return iteration_; }

private:
    void CombineWithin(std::size_t begin, std::size_t end, CPatternList& out, CPatternIndex& outIndex)
    {
        const auto order = ByTotal(begin, end);
        for (std::size_t a = 0; a < order.size(); ++a) {
            const CPatternView p = pool_.View(order[a]);
            if (p.Total + p.Total > maxUsableWidth_)
                break;
            for (std::size_t b = a; b < order.size(); ++b) {
                const CPatternView q = pool_.View(order[b]);
                if (p.Total + q.Total > maxUsableWidth_)
                    break;
                if (Combine(p, q))
                    Keep(out, outIndex);
            }
        }
    }

    void CombineAcross(std::size_t begin, std::size_t end, std::size_t otherBegin, std::size_t otherEnd,
                       CPatternList& out, CPatternIndex& outIndex)
    {
        const auto other = ByTotal(otherBegin, otherEnd);
        for (std::size_t i = begin; i < end; ++i) {
            const CPatternView p = pool_.View(i);
            for (std::size_t j : other) {
                const CPatternView q = pool_.View(j);
                if (p.Total + q.Total > maxUsableWidth_)
                    break;
                if (Combine(p, q))
                    Keep(out, outIndex);
            }
        }
    }

    std::size_t MergeNew(const CPatternList& fresh)
    {
        for (const auto& e : fresh.Entries) {
            const auto positions = fresh.Positions(e);
            if (poolIndex_.Find(positions, e.Hash) != CPatternIndex::NotFound)
                continue;
            pool_.Add(positions, e.Total, e.Hash);
            poolIndex_.Insert(pool_.Size() - 1);
        }
        return pool_.Size();
    }

    bool Combine(CPatternView p, CPatternView q)
    {
        if (p.Total + q.Total > maxUsableWidth_)
            return false;
        const std::size_t n = p.Positions.size() + q.Positions.size();
        if (static_cast<long long>(n) > maxSlits_)
            return false;
        buffer_.resize(n);
        std::merge(p.Positions.begin(), p.Positions.end(), q.Positions.begin(), q.Positions.end(), buffer_.begin());
        return difSlitLimit_ == 0 || DistinctCount(buffer_) <= difSlitLimit_;
    }

    void Keep(CPatternList& out, CPatternIndex& outIndex)
    {
        const std::uint32_t hash = HashPositions(buffer_);
        if (outIndex.Find(buffer_, hash) != CPatternIndex::NotFound)
            return;
        out.Add(buffer_, PatternTotal(buffer_, widths_, kerf_), hash);
        outIndex.Insert(out.Size() - 1);
    }

    std::vector<std::size_t> ByTotal(std::size_t begin, std::size_t end) const
    {
        std::vector<std::size_t> order(end - begin);
        std::iota(order.begin(), order.end(), begin);
        std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            const double ta = pool_.Entries[a].Total;
            const double tb = pool_.Entries[b].Total;
            return ta < tb || (ta == tb && a < b);
        });
        return order;
    }

    static double Step(double v) { return std::round(v / kTolerance); }

    // The entries of the list in `order`, stably sorted by value, the larger first, then by the
    // larger total, fewer slits and the smaller positions.
    void SortByValue(const CPatternList& list, const std::vector<double>& value, std::vector<std::size_t>& order) const
    {
        if (order_ == EPruneOrder::Tolerance) {
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                if (!IsEqual(value[a], value[b]))
                    return value[a] > value[b];
                return list.Before(list.Entries[a], list.Entries[b]);
            });
            return;
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const auto& ea = list.Entries[a];
            const auto& eb = list.Entries[b];
            if (Step(value[a]) != Step(value[b]))
                return Step(value[a]) > Step(value[b]);
            if (Step(ea.Total) != Step(eb.Total))
                return Step(ea.Total) > Step(eb.Total);
            if (ea.Count != eb.Count)
                return ea.Count < eb.Count;
            const auto pa = list.Positions(ea);
            const auto pb = list.Positions(eb);
            return std::lexicographical_compare(pa.begin(), pa.end(), pb.begin(), pb.end());
        });
    }

    static void MarkPerPosition(CPatternList& list, const std::vector<std::size_t>& order, const std::vector<int>& quota)
    {
        std::vector<int> counted(quota.size(), 0);
        for (std::size_t i : order) {
            auto& e = list.Entries[i];
            const auto positions = list.Positions(e);
            for (std::size_t j = 0; j < positions.size(); ++j) {
                if (j > 0 && positions[j] == positions[j - 1])
                    continue;
                int& count = counted[positions[j]];
                if (count < quota[positions[j]]) {
                    ++count;
                    e.Mark = 1;
                }
            }
        }
    }

    void Prune(CPatternList& fresh) const
    {
        const int limit = TruncToInt(1000.0 * std::pow(1.1, iteration_));
        SortUnique(fresh);
        if (fresh.Size() < static_cast<std::size_t>(limit))
            return;
        const int keepByUse = TruncToInt(0.7 * limit);
        const int keepByBalance = limit - keepByUse;
        const std::size_t n = widths_.size();
        double amounts = 0.0;
        for (std::size_t k = 0; k < n; ++k)
            amounts += widths_[k].Info->Amount;
        const double divisor = amounts < 0.1 ? 1.0 : amounts;
        std::vector<int> quotaByUse(n);
        std::vector<int> quotaByBalance(n);
        for (std::size_t k = 0; k < n; ++k) {
            const double share = widths_[k].Info->Amount / divisor;
            quotaByUse[k] = std::max(150, TruncToInt(share * keepByUse));
            quotaByBalance[k] = std::max(75, TruncToInt(share * keepByBalance));
        }
        std::vector<double> value(fresh.Size());
        std::vector<std::size_t> order(fresh.Size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        for (std::size_t i = 0; i < fresh.Size(); ++i) {
            value[i] = fresh.Entries[i].Total / maxUsableWidth_;
            fresh.Entries[i].Mark = 0;
        }
        SortByValue(fresh, value, order);
        MarkPerPosition(fresh, order, quotaByUse);
        for (std::size_t i = 0; i < fresh.Size(); ++i)
            value[i] = Balance(fresh.View(i), widths_);
        SortByValue(fresh, value, order);
        MarkPerPosition(fresh, order, quotaByBalance);
        CPatternList kept;
        for (std::size_t i : order)
            if (fresh.Entries[i].Mark != 0)
                kept.Add(fresh.Positions(i), fresh.Entries[i].Total, fresh.Entries[i].Hash);
        fresh = std::move(kept);
        SortUnique(fresh);
    }

    std::span<const CSlitWidth> widths_;
    double kerf_;
    long long maxSlits_;
    int difSlitLimit_;
    double maxUsableWidth_;
    EPruneOrder order_;
    int iteration_ = 0;
    CPatternList pool_;
    CPatternIndex poolIndex_;
    std::vector<SlitPos> buffer_;
};

} // namespace vellicor::bench
