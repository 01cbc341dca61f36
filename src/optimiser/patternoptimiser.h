#pragma once

#include "optimiser/linearprogram.h"
#include "optimiser/optimiser.h"
#include "optimiser/pattern.h"

#include <span>
#include <utility>
#include <vector>

namespace vellicor {

// A candidate for the selection: one working coil with its own copy of a pattern, to which filler
// slits may be added.
struct CPatternColumn {
    const CCoilInfo* Coil = nullptr;
    CPattern Pattern;
};

// What one Run went through, for a planner who wants to know why a job took long or gave nothing.
struct CRunStats {
    int Passes = 0;
    // Candidate patterns after the full-width ones were added.
    std::size_t PoolSize = 0;
    // Coil-and-pattern pairs offered to the linear program.
    std::size_t Columns = 0;
    CLinearProgram::Outcome Lp = CLinearProgram::Outcome::NotSolved;
    std::size_t Layouts = 0;
    // Production of the layouts dropped for being too light that the stock could not re-make, kg.
    double Shortfall = 0.0;
};

// The optimiser of one group: generates patterns, pairs them with coils, selects by linear
// programming and assembles the layouts.
class CPatternOptimiser : public COptimiser {
public:
    CPatternOptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                      std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers,
                      const CSettings& settings, const CStopToken* stop = nullptr);

    int Run() override;

    // The stages, in the order Run performs them.
    void GeneratePatterns();
    void AddFullWidthPatterns();
    void BuildColumns();
    void AddFillerSlits();
    void SelectPatterns();
    void ApplyMinPatternWeight(double limit);
    void SplitToStockRows();
    void SplitToPartRows();

    // One pass's pruning of its fresh patterns, at the limit of pass `Iteration`: what a pass's
    // selection keeps of them.
    void PrunePatterns(CPatternList& fresh);
    // The usable kg to run through each column, in Columns order; all 0 when the program has no
    // acceptable solution.
    std::vector<double> SolvePatterns();
    // Appends the layout of x usable kg of a column to Results, on the document's records.
    void MakeLayout(const CPatternColumn& column, double x);

    // The number of requirement widths: the positions before the filler widths.
    std::size_t RequirementWidthCount() const { return requirementWidths_; }

    double MaxUsableWidth = 0.0;
    int DifSlitLimit = 0;
    // Sorted by the pattern order, without duplicates.
    CPatternList PatternPool;
    std::vector<CPatternColumn> Columns;
    int Iteration = 0;
    CRunStats Stats;

private:
    class CGeneration;

    void RebalanceDropped(CLayoutList& layouts, const std::vector<std::pair<double, double>>& dropped, double limit);
    std::size_t WorkCoilOf(const CLayout& layout) const;
    void DistributePartRows(std::vector<CCoilPart*> rows);

    std::span<const CSlitWidth> WidthTable() const { return Widths; }

    std::size_t requirementWidths_ = 0;
};

} // namespace vellicor
