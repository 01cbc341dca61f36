#include "optimiser/patternoptimiser.h"

namespace vellicor {

void CPatternOptimiser::BuildColumns()
{
    for (const CCoilInfo& coil : CoilInfos) {
        if (StopRequested())
            return;
        for (const auto& e : PatternPool.Entries) {
            const double fill = e.Total / coil.UsableWidth;
            if (fill < 0.5 || fill > 1)
                continue;
            const auto positions = PatternPool.Positions(e);
            std::vector<SlitPos> copy(positions.begin(), positions.end());
            const double total = PatternTotal(copy, Widths, Settings.Kerf);
            Columns.push_back({&coil, CPattern(std::move(copy), total)});
        }
    }
}

void CPatternOptimiser::AddFillerSlits()
{
    Widths.insert(Widths.end(), FillerWidths.begin(), FillerWidths.end());
    const double kerf = Settings.Kerf;
    const long long maxKnives = Settings.MaxKnives;
    for (CPatternColumn& column : Columns) {
        if (StopRequested())
            return;
        const double usable = column.Coil->UsableWidth;
        CPattern& p = column.Pattern;
        // The widths summed in position order, as PatternTotal sums them: the totals come out the
        // same without summing the whole pattern again for every filler slit.
        double widths = 0.0;
        for (SlitPos k : p.Positions)
            widths += Widths[k].Width;
        // Widest filler first, repeated while it fits; the narrower ones fill what is left.
        for (std::size_t j = requirementWidths_; j < Widths.size(); ++j) {
            const double step = kerf + Widths[j].Width;
            if (step <= 0.0)
                continue;
            while (usable - p.Total >= step && static_cast<long long>(p.Positions.size()) <= maxKnives) {
                p.Positions.push_back(static_cast<SlitPos>(j));
                widths += Widths[j].Width;
                p.Total = widths + static_cast<double>(p.Positions.size()) * kerf;
            }
        }
    }
}

} // namespace vellicor
