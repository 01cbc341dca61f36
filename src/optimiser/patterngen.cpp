#include "optimiser/passselection.h"
#include "optimiser/patternoptimiser.h"

#include "units/numeric.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vellicor {

// The generation lists of one GeneratePatterns call. The pool holds every pattern kept so far, in
// the order the passes added them, and an index over it; the generation's lists (previous,
// everything, frontier) are ranges of it. A pass hands each combination to its selection as it is
// made, so no pass holds its whole list. Combinations are made narrowest first so that the first
// pair too wide ends a loop: what a pass keeps is sorted by the pattern order before anything
// reads its order.
class CPatternOptimiser::CGeneration {
public:
    explicit CGeneration(CPatternOptimiser& optimiser)
        : opt_(optimiser), widths_(optimiser.WidthTable()), kerf_(optimiser.Settings.Kerf),
          maxSlits_(static_cast<long long>(optimiser.Settings.MaxKnives) + 1), poolIndex_(Pool)
    {
    }

    void AddSingles(std::size_t n)
    {
        for (std::size_t k = 0; k < n; ++k) {
            const SlitPos single[] = {static_cast<SlitPos>(k)};
            Pool.Add(single, PatternTotal(single, widths_, kerf_));
            poolIndex_.Insert(Pool.Size() - 1);
        }
    }

    // Every pair of patterns of the range, a pattern with itself included, each handed to keep.
    template <typename Keep>
    void CombineWithin(std::size_t begin, std::size_t end, Keep&& keep)
    {
        const auto order = ByTotal(begin, end);
        for (std::size_t a = 0; a < order.size(); ++a) {
            const CPatternView p = Pool.View(order[a]);
            // Ascending totals: once a pair is too wide, every later one is.
            if (p.Total + p.Total > opt_.MaxUsableWidth)
                break;
            for (std::size_t b = a; b < order.size(); ++b) {
                const CPatternView q = Pool.View(order[b]);
                if (p.Total + q.Total > opt_.MaxUsableWidth)
                    break;
                if (Stopping())
                    return;
                if (Combine(p, q))
                    keep(std::span<const SlitPos>(buffer_), PatternTotal(buffer_, widths_, kerf_));
            }
        }
    }

    // Every pattern of the range with every pattern of the other range.
    template <typename Keep>
    void CombineAcross(std::size_t begin, std::size_t end, std::size_t otherBegin, std::size_t otherEnd, Keep&& keep)
    {
        const auto other = ByTotal(otherBegin, otherEnd);
        for (std::size_t i = begin; i < end; ++i) {
            const CPatternView p = Pool.View(i);
            for (std::size_t j : other) {
                const CPatternView q = Pool.View(j);
                if (p.Total + q.Total > opt_.MaxUsableWidth)
                    break;
                if (Stopping())
                    return;
                if (Combine(p, q))
                    keep(std::span<const SlitPos>(buffer_), PatternTotal(buffer_, widths_, kerf_));
            }
        }
    }

    // Drops the fresh patterns the pool knows and adds the others to it; returns the pool's size.
    std::size_t MergeNew(const CPatternList& fresh)
    {
        for (const auto& e : fresh.Entries) {
            const auto positions = fresh.Positions(e);
            if (poolIndex_.Find(positions, e.Hash) != CPatternIndex::NotFound)
                continue;
            Pool.Add(positions, e.Total, e.Hash);
            poolIndex_.Insert(Pool.Size() - 1);
        }
        return Pool.Size();
    }

    CPatternList Pool;

private:
    // Asks the stop token every few thousand combinations: often enough to stop within a
    // fraction of a second, seldom enough to cost nothing.
    bool Stopping()
    {
        if (stopped_ || (++ticks_ & 0xFFF) != 0)
            return stopped_;
        stopped_ = opt_.StopRequested();
        return stopped_;
    }

    // The merge of p and q into the buffer, unless it is too wide, has too many slits or too many
    // different widths. Width and knife count are checked before anything is built.
    bool Combine(CPatternView p, CPatternView q)
    {
        if (p.Total + q.Total > opt_.MaxUsableWidth)
            return false;
        const std::size_t n = p.Positions.size() + q.Positions.size();
        if (static_cast<long long>(n) > maxSlits_)
            return false;
        buffer_.resize(n);
        std::merge(p.Positions.begin(), p.Positions.end(), q.Positions.begin(), q.Positions.end(), buffer_.begin());
        return opt_.DifSlitLimit == 0 || DistinctCount(buffer_) <= opt_.DifSlitLimit;
    }

    // The pool entries of a range, narrowest first.
    std::vector<std::size_t> ByTotal(std::size_t begin, std::size_t end) const
    {
        std::vector<std::size_t> order(end - begin);
        std::iota(order.begin(), order.end(), begin);
        std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            const double ta = Pool.Entries[a].Total;
            const double tb = Pool.Entries[b].Total;
            return ta < tb || (ta == tb && a < b);
        });
        return order;
    }

    CPatternOptimiser& opt_;
    std::span<const CSlitWidth> widths_;
    double kerf_;
    long long maxSlits_;
    CPatternIndex poolIndex_;
    std::vector<SlitPos> buffer_;
    unsigned ticks_ = 0;
    bool stopped_ = false;
};

void CPatternOptimiser::GeneratePatterns()
{
    CGeneration gen(*this);
    gen.AddSingles(requirementWidths_);

    // The first pass keeps every pair.
    CPatternList fresh;
    {
        CPatternIndex index(fresh);
        gen.CombineWithin(0, requirementWidths_, [&](std::span<const SlitPos> positions, double total) {
            const std::uint32_t hash = HashPositions(positions);
            if (index.Find(positions, hash) != CPatternIndex::NotFound)
                return;
            fresh.Add(positions, total, hash);
            index.Insert(fresh.Size() - 1);
        });
    }
    std::size_t previousEnd = requirementWidths_;
    std::size_t frontierBegin = requirementWidths_;
    std::size_t end = gen.MergeNew(fresh);

    Iteration = 1;
    if (Progress)
        Progress->Pass(Iteration, end);
    while (!StopRequested()) {
        ++Iteration;
        CPassSelection selection(Widths, requirementWidths_, MaxUsableWidth, Iteration);
        auto offer = [&selection](std::span<const SlitPos> positions, double total) {
            selection.Offer(positions, total);
        };
        gen.CombineWithin(frontierBegin, end, offer);
        gen.CombineAcross(frontierBegin, end, 0, previousEnd, offer);
        if (StopRequested())
            break;
        fresh = selection.Take();
        if (fresh.Empty())
            break;

        const std::size_t newEnd = gen.MergeNew(fresh);
        if (Progress)
            Progress->Pass(Iteration, newEnd);
        if (newEnd == end)
            break;
        previousEnd = end;
        frontierBegin = end;
        end = newEnd;
    }
    PatternPool = std::move(gen.Pool);
    SortUnique(PatternPool);
}

void CPatternOptimiser::PrunePatterns(CPatternList& fresh)
{
    CPassSelection selection(Widths, requirementWidths_, MaxUsableWidth, Iteration);
    for (const auto& e : fresh.Entries)
        selection.Offer(fresh.Positions(e), e.Total);
    fresh = selection.Take();
}

void CPatternOptimiser::AddFullWidthPatterns()
{
    const double kerf = Settings.Kerf;
    CPatternList full;
    std::vector<SlitPos> slits;
    for (const CCoilInfo& coil : CoilInfos) {
        for (std::size_t k = 0; k < requirementWidths_; ++k) {
            // A width that takes no room cannot be repeated to fill a coil.
            const double step = kerf + Widths[k].Width;
            if (step <= 0.0)
                continue;
            const double x = coil.UsableWidth / step;
            if (x < 1)
                continue;
            const std::size_t repeats = x < static_cast<double>(MaxLayoutSlits) ? static_cast<std::size_t>(x)
                                                                                 : MaxLayoutSlits;
            slits.assign(repeats, static_cast<SlitPos>(k));
            full.Add(slits, PatternTotal(slits, Widths, kerf));
        }
    }
    SortUnique(full);
    for (const auto& e : full.Entries)
        PatternPool.Add(full.Positions(e), e.Total, e.Hash);
    SortUnique(PatternPool);
}

} // namespace vellicor
