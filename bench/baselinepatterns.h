#pragma once

// The pattern generation written down step by step, the plain way: one heap pattern per
// combination, every pass's lists re-sorted, and MergeNew comparing every fresh pattern with every
// known one. The benchmarks compare the product's generation with it: same pool, and how much
// faster.

#include "optimiser/pattern.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/patternscore.h"
#include "units/numeric.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vellicor::bench {

class CBaselineGeneration {
public:
    struct Pattern {
        double Value = 0.0;
        std::vector<SlitPos> Positions;
        double Total = 0.0;
        CPatternView View() const { return {Positions, Total}; }
    };
    using List = std::vector<Pattern*>;

    CBaselineGeneration(const CBaselineGeneration&) = delete;
    CBaselineGeneration& operator=(const CBaselineGeneration&) = delete;
    ~CBaselineGeneration()
    {
        for (Pattern* p : pool_)
            delete p;
    }

    explicit CBaselineGeneration(const CPatternOptimiser& opt)
        : widths_(opt.Widths.data(), opt.RequirementWidthCount()), kerf_(opt.Settings.Kerf),
          maxKnives_(opt.Settings.MaxKnives), difSlitLimit_(opt.DifSlitLimit), maxUsableWidth_(opt.MaxUsableWidth)
    {
    }

    // The pool of GeneratePatterns, sorted by the pattern order.
    const List& Generate()
    {
        const std::size_t n = widths_.size();
        List singles;
        for (std::size_t k = 0; k < n; ++k)
            singles.push_back(Make({static_cast<SlitPos>(k)}));
        List known = singles;
        List level2;
        CombineWithin(singles, level2);
        List all;
        MergeNew(known, level2, all);
        List previous = known;
        List everything = all;
        List frontier = level2;
        iteration_ = 1;
        for (;;) {
            ++iteration_;
            List fresh;
            CombineWithin(frontier, fresh);
            CombineAcross(frontier, previous, fresh);
            if (fresh.empty())
                break;
            Prune(fresh);
            MergeNew(everything, fresh, all);
            if (fresh.empty())
                break;
            previous = everything;
            everything = all;
            frontier = fresh;
        }
        pool_ = std::move(everything);
        return pool_;
    }

    int Iteration() const { return iteration_; }

private:
    // Patterns are owned by the lists that hold them: a dropped one is deleted at
    // once, the pool's go with the generator.
    Pattern* Make(std::vector<SlitPos> positions)
    {
        auto* p = new Pattern;
        p->Positions = std::move(positions);
        p->Total = PatternTotal(p->Positions, widths_, kerf_);
        return p;
    }

    static void Delete(Pattern* p) { delete p; }

    Pattern* Combine(const Pattern* p, const Pattern* q)
    {
        if (p->Total + q->Total > maxUsableWidth_)
            return nullptr;
        if (static_cast<int>(p->Positions.size() + q->Positions.size()) > maxKnives_ + 1)
            return nullptr;
        std::vector<SlitPos> merged(p->Positions.size() + q->Positions.size());
        std::merge(p->Positions.begin(), p->Positions.end(), q->Positions.begin(), q->Positions.end(),
                   merged.begin());
        Pattern* r = Make(std::move(merged));
        if (difSlitLimit_ != 0 && DistinctCount(r->Positions) > difSlitLimit_) {
            Delete(r);
            return nullptr;
        }
        return r;
    }

    void CombineWithin(const List& list, List& out)
    {
        for (std::size_t i = 0; i < list.size(); ++i)
            for (std::size_t j = i; j < list.size(); ++j)
                if (Pattern* r = Combine(list[i], list[j]))
                    out.push_back(r);
    }

    void CombineAcross(const List& list, const List& other, List& out)
    {
        for (const Pattern* p : list)
            for (const Pattern* q : other)
                if (Pattern* r = Combine(p, q))
                    out.push_back(r);
    }

    static bool PatternBefore(const Pattern* a, const Pattern* b)
    {
        if (!IsEqual(a->Total, b->Total))
            return a->Total > b->Total;
        if (a->Positions.size() != b->Positions.size())
            return a->Positions.size() < b->Positions.size();
        return a->Positions < b->Positions;
    }

    static double Step(double v) { return std::round(v / kTolerance); }

    // The larger value first, then the larger total, each in whole tolerance steps; then fewer
    // slits, then the smaller positions.
    static bool ValueBefore(const Pattern* a, const Pattern* b)
    {
        if (Step(a->Value) != Step(b->Value))
            return Step(a->Value) > Step(b->Value);
        if (Step(a->Total) != Step(b->Total))
            return Step(a->Total) > Step(b->Total);
        if (a->Positions.size() != b->Positions.size())
            return a->Positions.size() < b->Positions.size();
        return a->Positions < b->Positions;
    }

    void SortUnique(List& list)
    {
        std::stable_sort(list.begin(), list.end(), PatternBefore);
        List kept;
        for (Pattern* p : list) {
            if (!kept.empty() && PatternsEqual(kept.back()->View(), p->View()))
                Delete(p);
            else
                kept.push_back(p);
        }
        list = std::move(kept);
    }

    void SortByValue(List& list)
    {
        std::stable_sort(list.begin(), list.end(), ValueBefore);
    }

    std::size_t MergeNew(const List& known, List& fresh, List& all)
    {
        all = known;
        List kept;
        for (Pattern* p : fresh) {
            const bool old = std::any_of(known.begin(), known.end(),
                                         [p](const Pattern* k) { return PatternsEqual(k->View(), p->View()); });
            if (old)
                Delete(p);
            else
                kept.push_back(p);
        }
        fresh = kept;
        all.insert(all.end(), fresh.begin(), fresh.end());
        SortUnique(all);
        return all.size();
    }

    void Prune(List& fresh)
    {
        const int limit = static_cast<int>(1000.0 * std::pow(1.1, iteration_));
        SortUnique(fresh);
        if (static_cast<int>(fresh.size()) < limit)
            return;
        const int keep1 = static_cast<int>(0.7 * limit);
        const int rest = limit - keep1;
        const std::size_t n = widths_.size();
        double sum = 0.0;
        for (std::size_t k = 0; k < n; ++k)
            sum += widths_[k].Info->Amount;
        const double divisor = sum < 0.1 ? 1.0 : sum;
        auto share = [&](std::size_t k) { return widths_[k].Info->Amount / divisor; };

        List keep;
        auto walk = [&](int floor, int part) {
            for (std::size_t k = 0; k < n; ++k) {
                const int quota = std::max(floor, static_cast<int>(share(k) * part));
                int counted = 0;
                for (Pattern* p : fresh) {
                    if (counted >= quota)
                        break;
                    if (std::binary_search(p->Positions.begin(), p->Positions.end(), static_cast<SlitPos>(k))) {
                        p->Value = -1.0;
                        ++counted;
                    }
                }
            }
            for (Pattern* p : fresh)
                if (p->Value == -1.0)
                    keep.push_back(p);
        };
        for (Pattern* p : fresh)
            p->Value = p->Total / maxUsableWidth_;
        SortByValue(fresh);
        walk(150, keep1);
        for (Pattern* p : fresh)
            p->Value = Balance(p->View(), widths_);
        SortByValue(fresh);
        walk(75, rest);
        for (Pattern* p : keep)
            p->Value = -1.0;
        List survivors;
        for (Pattern* p : fresh) {
            if (p->Value == -1.0)
                survivors.push_back(p);
            else
                Delete(p);
        }
        fresh = survivors;
        SortUnique(fresh);
    }

    std::span<const CSlitWidth> widths_;
    double kerf_;
    int maxKnives_;
    int difSlitLimit_;
    double maxUsableWidth_;
    int iteration_ = 0;
    List pool_;
};

} // namespace vellicor::bench
