#include "optimiser/linearprogram.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/patternscore.h"

#include <algorithm>

namespace vellicor {

std::vector<double> CPatternOptimiser::SolvePatterns()
{
    const std::size_t n = Columns.size();
    std::vector<double> x(n, 0.0);
    // Without columns no requirement can be met: the program could only be infeasible.
    if (n == 0)
        return x;

    CLinearProgram lp(static_cast<int>(n), StopToken());
    std::vector<double> costs(n);
    for (std::size_t k = 0; k < n; ++k)
        costs[k] = ScoreColumn(*Columns[k].Coil, Columns[k].Pattern.View(), Widths, Settings.MinOffCut);
    lp.SetObjective(costs);

    // Row j takes, from every column, the share of the coil's usable width the pattern gives
    // requirement j; both widths of a turnable requirement count for it.
    std::vector<std::vector<int>> rowColumns(PartInfos.size());
    std::vector<std::vector<double>> rowValues(PartInfos.size());
    std::vector<std::pair<int, double>> served;
    for (std::size_t k = 0; k < n; ++k) {
        served.clear();
        for (SlitPos s : Columns[k].Pattern.Positions) {
            const CPartInfo& info = *Widths[s].Info;
            if (info.InfoKind == InfoFiller)
                continue;
            auto it = std::find_if(served.begin(), served.end(), [&info](const auto& e) { return e.first == info.Index; });
            if (it == served.end())
                served.emplace_back(info.Index, Widths[s].Width);
            else
                it->second += Widths[s].Width;
        }
        for (const auto& [j, width] : served) {
            rowColumns[static_cast<std::size_t>(j)].push_back(static_cast<int>(k));
            rowValues[static_cast<std::size_t>(j)].push_back(width / Columns[k].Coil->UsableWidth);
        }
    }
    for (std::size_t j = 0; j < PartInfos.size(); ++j)
        lp.AddRow(rowColumns[j], rowValues[j], CLinearProgram::RowType::Equal, PartInfos[j].Amount);

    for (const CCoilInfo& coil : CoilInfos) {
        std::vector<int> columns;
        for (std::size_t k = 0; k < n; ++k)
            if (Columns[k].Coil == &coil)
                columns.push_back(static_cast<int>(k));
        const std::vector<double> ones(columns.size(), 1.0);
        lp.AddRow(columns, ones, CLinearProgram::RowType::LessOrEqual, coil.UsableWeight);
    }

    if (auto solution = lp.Solve())
        x = std::move(*solution);
    Stats.Lp = lp.LastOutcome();
    return x;
}

void CPatternOptimiser::SelectPatterns()
{
    const std::vector<double> x = SolvePatterns();
    for (std::size_t k = 0; k < Columns.size(); ++k)
        if (x[k] > 0)
            MakeLayout(Columns[k], x[k]);
    Columns.clear();
}

} // namespace vellicor
