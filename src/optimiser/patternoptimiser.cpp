#include "optimiser/patternoptimiser.h"

namespace vellicor {

CPatternOptimiser::CPatternOptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                                     std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers,
                                     const CSettings& settings, const CStopToken* stop)
    : COptimiser(coils, parts, slits, fillers, settings, stop), requirementWidths_(Widths.size())
{
    MaxUsableWidth = CoilInfos.empty() ? 0.0 : CoilInfos.front().UsableWidth;
    // A combined pattern has at most MaxKnives + 1 slits, so a larger limit could never bind.
    const long long slitLimit = static_cast<long long>(Settings.MaxKnives) + 1;
    DifSlitLimit = Settings.MaxDifSlits < slitLimit ? Settings.MaxDifSlits : 0;
}

int CPatternOptimiser::Run()
{
    if (WorkParts.empty() || CoilInfos.empty()) {
        Outcome = EGroupOutcome::NoCoilWideEnough;
        return 1;
    }
    // Slits are 16-bit positions in the width table.
    if (Widths.size() + FillerWidths.size() > MaxWidthEntries) {
        Outcome = EGroupOutcome::TooManyWidths;
        return 1;
    }
    // Each stage returns early once a stop is requested; what it left behind is thrown away here.
    auto stopped = [this] {
        if (!StopRequested())
            return false;
        Outcome = EGroupOutcome::Stopped;
        Columns.clear();
        PatternPool.Clear();
        Results.Clear();
        return true;
    };
    GeneratePatterns();
    if (stopped())
        return 1;
    AddFullWidthPatterns();
    Stats.Passes = Iteration;
    Stats.PoolSize = PatternPool.Size();
    BuildColumns();
    AddFillerSlits();
    Stats.Columns = Columns.size();
    if (stopped())
        return 1;
    SelectPatterns();
    if (stopped())
        return 1;
    if (Results.IsEmpty()) {
        Outcome = EGroupOutcome::Infeasible;
        PatternPool.Clear();
        return 1;
    }
    ApplyMinPatternWeight(Settings.MinPatWt);
    if (stopped())
        return 1;
    SplitToStockRows();
    SplitToPartRows();
    Stats.Layouts = static_cast<std::size_t>(Results.GetCount());
    PatternPool.Clear();
    return 1;
}

} // namespace vellicor
