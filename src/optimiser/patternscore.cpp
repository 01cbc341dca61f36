#include "optimiser/patternscore.h"

#include "units/numeric.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vellicor {

namespace {

struct CServed {
    const CPartInfo* Info = nullptr;
    double Width = 0.0; // the width the pattern gives it
};

// The requirements (and fillers) of a pattern in order of first occurrence, each with the width
// the pattern gives it. Patterns are short, so a small inline table serves nearly always.
class CServedList {
public:
    CServedList(CPatternView p, std::span<const CSlitWidth> widths)
    {
        for (SlitPos k : p.Positions) {
            const CSlitWidth& slit = widths[k];
            CServed* served = Find(slit.Info);
            if (!served)
                served = Append(slit.Info);
            served->Width += slit.Width;
        }
    }

    std::span<CServed> Items() { return overflow_.empty() ? std::span<CServed>(inline_.data(), size_) : overflow_; }

private:
    CServed* Find(const CPartInfo* info)
    {
        for (CServed& s : Items())
            if (s.Info == info)
                return &s;
        return nullptr;
    }

    CServed* Append(const CPartInfo* info)
    {
        if (overflow_.empty() && size_ < inline_.size()) {
            inline_[size_] = {info, 0.0};
            return &inline_[size_++];
        }
        if (overflow_.empty())
            overflow_.assign(inline_.begin(), inline_.end());
        overflow_.push_back({info, 0.0});
        return &overflow_.back();
    }

    std::array<CServed, 24> inline_{};
    std::size_t size_ = 0;
    std::vector<CServed> overflow_;
};

} // namespace

double Balance(CPatternView p, std::span<const CSlitWidth> widths)
{
    CServedList served(p, widths);
    double m = 1e10;
    bool anyRun = false;
    double sum = 0.0;
    for (const CServed& s : served.Items()) {
        if (s.Width > 0.0) {
            m = std::min(m, p.Total * s.Info->Amount / s.Width);
            anyRun = true;
        }
        sum += s.Info->Amount;
    }
    if (!anyRun || IsZero(sum))
        return 0.0;
    return m / sum;
}

double BalanceAfterLongest(CPatternView p, std::span<const CSlitWidth> widths)
{
    CServedList served(p, widths);
    auto items = served.Items();
    double longest = 0.0;
    CServed* taken = nullptr;
    for (CServed& s : items) {
        if (s.Width <= 0.0)
            continue;
        const double run = p.Total * s.Info->Amount / s.Width;
        if (run > longest) {
            longest = run;
            taken = &s;
        }
    }
    if (!taken)
        return 0.0;
    const double rest = p.Total - taken->Width;
    taken->Width = 0.0;

    double m = 1e11;
    double sum = 0.0;
    bool anyLeft = false;
    for (const CServed& s : items) {
        if (s.Width > 0.0) {
            m = std::min(m, rest * s.Info->Amount / s.Width);
            sum += s.Info->Amount;
            anyLeft = true;
        }
    }
    if (!anyLeft || IsZero(sum))
        return 0.0;
    return m / sum;
}

double ScoreColumn(const CCoilInfo& coil, CPatternView p, std::span<const CSlitWidth> widths, double minOffCut)
{
    const double usable = coil.UsableWidth;
    double cost = coil.UsableCost;
    const double rest = usable - p.Total;
    if (rest + 0.1 > minOffCut) {
        const double u = 1 - rest / usable;
        const double d = std::min(u + 0.2, 1.0);
        cost = cost - 0.5 * cost * (0.8 * (1 - u) + 0.15 * (1 - d));
    }
    const int dc = DistinctCount(p.Positions);
    const double utl = p.Total / usable;
    double f = 1.0;
    if (utl > 0.985 && dc > 4 && BalanceAfterLongest(p, widths) > 0.95)
        f = (dc - 2) * (2.0 / 3.0) + utl;
    if (utl > 0.985 && dc > 2 && Balance(p, widths) > 0.95) {
        const double g = (dc / 2) + utl;
        if (g > f)
            f = g;
    }
    if (f > 1)
        cost = 0.7 * cost + 0.3 * cost / f;
    return cost;
}

} // namespace vellicor
