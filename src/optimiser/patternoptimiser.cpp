#include "optimiser/patternoptimiser.h"

namespace vellicor {

CPatternOptimiser::CPatternOptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                                     std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers,
                                     const CSettings& settings)
    : COptimiser(coils, parts, slits, fillers, settings), requirementWidths_(Widths.size())
{
    MaxUsableWidth = CoilInfos.empty() ? 0.0 : CoilInfos.front().UsableWidth;
    // A combined pattern has at most MaxKnives + 1 slits, so a larger limit could never bind.
    const long long slitLimit = static_cast<long long>(Settings.MaxKnives) + 1;
    DifSlitLimit = Settings.MaxDifSlits < slitLimit ? Settings.MaxDifSlits : 0;
}

int CPatternOptimiser::Run()
{
    // Slits are 16-bit positions in the width table.
    if (Widths.size() + FillerWidths.size() > MaxWidthEntries)
        return 1;
    GeneratePatterns();
    AddFullWidthPatterns();
    Stats.Passes = Iteration;
    Stats.PoolSize = PatternPool.Size();
    BuildColumns();
    AddFillerSlits();
    Stats.Columns = Columns.size();
    SelectPatterns();
    ApplyMinPatternWeight(Settings.MinPatWt);
    SplitToStockRows();
    SplitToPartRows();
    Stats.Layouts = static_cast<std::size_t>(Results.GetCount());
    PatternPool.Clear();
    return 1;
}

} // namespace vellicor
