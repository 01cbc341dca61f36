#include "optimiser/pricing.h"

#include "optimiser/stoptoken.h"

#include <algorithm>
#include <cmath>

namespace vellicor {

namespace {

constexpr double WidthTolerance = 1e-9;

// Every node is a pattern: the counts chosen for the items before it.
class CSearch {
public:
    // `distinct`: how many different items may go in, or -1 for any number.
    CSearch(std::span<const CPricingItem> items, const CPatternRules& rules, double minTotal, int distinct,
            std::size_t budget, const CStopToken* stop)
        : rules_(rules), minTotal_(minTotal), distinct_(distinct), budget_(budget), stop_(stop)
    {
        for (const CPricingItem& item : items)
            if (item.Value > 0.0 && item.Width + rules.Kerf > 0.0 && item.Width + rules.Kerf <= rules.UsableWidth + WidthTolerance)
                items_.push_back(item);
        // Densest first: the fractional bound is then the next item's density. Ties by position, so
        // that the same prices always give the same pattern.
        std::sort(items_.begin(), items_.end(), [this](const CPricingItem& a, const CPricingItem& b) {
            const double da = Density(a);
            const double db = Density(b);
            if (da != db)
                return da > db;
            return a.Position < b.Position;
        });
        suffixValue_.assign(items_.size() + 1, 0.0);
        for (std::size_t i = items_.size(); i-- > 0;)
            suffixValue_[i] = std::max(suffixValue_[i + 1], items_[i].Value);
        counts_.assign(items_.size(), 0);
        best_ = counts_;
    }

    CPricedPattern Run(bool fullWidth)
    {
        const int distinct = distinct_ >= 0 ? distinct_ : static_cast<int>(items_.size());
        Visit(0, rules_.UsableWidth, rules_.MaxSlits, distinct, 0.0, 0.0);
        CPricedPattern result;
        for (std::size_t i = 0; i < items_.size(); ++i)
            result.Positions.insert(result.Positions.end(), static_cast<std::size_t>(best_[i]), items_[i].Position);
        result.Value = bestValue_;
        if (fullWidth)
            FullWidth(result);
        std::sort(result.Positions.begin(), result.Positions.end());
        result.UpperValue = std::max(result.Value, unexplored_);
        return result;
    }

private:
    double Density(const CPricingItem& item) const { return item.Value / (item.Width + rules_.Kerf); }

    void Visit(std::size_t i, double room, int slots, int distinctLeft, double value, double used)
    {
        if (!stopped_ && ++nodes_ % 4096 == 0 && stop_ && stop_->StopRequested())
            stopped_ = true;
        if (nodes_ > budget_)
            stopped_ = true;
        if (value > bestValue_ && used >= minTotal_ - WidthTolerance) {
            bestValue_ = value;
            best_ = counts_;
        }
        if (i == items_.size() || slots == 0 || distinctLeft == 0)
            return;
        const double bound = value + std::min(room * Density(items_[i]), slots * suffixValue_[i]);
        if (bound <= bestValue_ * (1.0 + 1e-12))
            return;
        if (stopped_) {
            unexplored_ = std::max(unexplored_, bound);
            return;
        }
        const CPricingItem& item = items_[i];
        const double step = item.Width + rules_.Kerf;
        const int fits = static_cast<int>(std::min<double>(std::floor((room + WidthTolerance) / step), slots));
        for (int n = fits; n >= 1; --n) {
            counts_[i] = n;
            Visit(i + 1, room - n * step, slots - n, distinctLeft - 1, value + n * item.Value, used + n * step);
        }
        counts_[i] = 0;
        Visit(i + 1, room, slots, distinctLeft, value, used);
    }

    // A single width repeated across the whole coil, beyond the knife limit.
    void FullWidth(CPricedPattern& result) const
    {
        for (const CPricingItem& item : items_) {
            const double n = std::floor(rules_.UsableWidth / (item.Width + rules_.Kerf));
            if (n <= rules_.MaxSlits || n * item.Value <= result.Value)
                continue;
            result.Value = n * item.Value;
            result.Positions.assign(static_cast<std::size_t>(n), item.Position);
        }
    }

    std::vector<CPricingItem> items_;
    CPatternRules rules_;
    double minTotal_;
    int distinct_;
    std::size_t budget_;
    const CStopToken* stop_;
    std::vector<double> suffixValue_;
    std::vector<int> counts_;
    std::vector<int> best_;
    double bestValue_ = 0.0;
    double unexplored_ = 0.0;
    std::size_t nodes_ = 0;
    bool stopped_ = false;
};

} // namespace

CPricedPattern PriceBestPattern(std::span<const CPricingItem> items, const CPatternRules& rules,
                                std::size_t nodeBudget, const CStopToken* stop)
{
    const int distinct = rules.MaxDistinct > 0 ? rules.MaxDistinct : -1;
    return CSearch(items, rules, 0.5 * rules.UsableWidth, distinct, nodeBudget, stop).Run(true);
}

CPricedPattern PriceBestPatternWith(std::span<const CPricingItem> items, const CPatternRules& rules,
                                    const CPricingItem& forced, std::size_t nodeBudget, const CStopToken* stop)
{
    const double step = forced.Width + rules.Kerf;
    if (step <= 0.0 || step > rules.UsableWidth + WidthTolerance || rules.MaxSlits < 1)
        return {};
    CPatternRules rest = rules;
    rest.UsableWidth -= step;
    rest.MaxSlits -= 1;
    const int distinct = rules.MaxDistinct > 0 ? rules.MaxDistinct - 1 : -1;
    std::vector<CPricingItem> others;
    for (const CPricingItem& item : items)
        if (item.Position != forced.Position || distinct != 0)
            others.push_back(item);
    if (distinct == 0)
        others.assign(1, forced);
    CPricedPattern result = CSearch(others, rest, 0.5 * rules.UsableWidth - step, distinct == 0 ? 1 : distinct,
                                    nodeBudget, stop)
                                .Run(false);
    result.Positions.insert(std::upper_bound(result.Positions.begin(), result.Positions.end(), forced.Position),
                            forced.Position);
    result.Value += forced.Value;
    result.UpperValue += forced.Value;
    return result;
}

} // namespace vellicor
