#include "optimiser/columngeneration.h"

#include "optimiser/pricing.h"
#include "optimiser/stoptoken.h"

#include <coin/ClpSimplex.hpp>

#include <algorithm>
#include <cmath>

namespace vellicor {

namespace {

constexpr int MaxIterations = 3000;
constexpr std::size_t PricingNodes = 200000;
// The generation ends once the proven bound is this close to the program's objective.
constexpr double BoundGap = 1e-5;

double CoilWeightPerUsableKg(const COptimiser& group, const CCoilInfo& coil)
{
    const CCoil& work = *group.WorkCoils[static_cast<std::size_t>(coil.Index)];
    return work.Width / coil.UsableWidth;
}

// A cost no coil reaches, for requirement weight the stock cannot give.
double ShortfallCost(const COptimiser& group)
{
    double most = 1.0;
    for (const CCoilInfo& coil : group.CoilInfos)
        most = std::max(most, coil.UsableCost);
    return 1000.0 * most;
}

class CMaster {
public:
    CMaster(const COptimiser& group, const CMasterTargets& targets) : group_(group)
    {
        model_.setLogLevel(0);
        model_.messageHandler()->setLogLevel(0);
        const std::size_t parts = group.PartInfos.size();
        for (double kg : targets.Demand)
            model_.addRow(0, nullptr, nullptr, kg, COIN_DBL_MAX);
        for (double kg : targets.Capacity)
            model_.addRow(0, nullptr, nullptr, -COIN_DBL_MAX, kg);
        const double shortfall = ShortfallCost(group);
        for (std::size_t j = 0; j < parts; ++j) {
            const int row = static_cast<int>(j);
            const double one = 1.0;
            model_.addColumn(1, &row, &one, 0.0, COIN_DBL_MAX, shortfall);
        }
    }

    void Add(CGeneratedColumn column)
    {
        std::vector<int> rows;
        std::vector<double> values;
        for (const auto& [j, share] : RequirementShares(group_, column)) {
            rows.push_back(static_cast<int>(j));
            values.push_back(share);
        }
        rows.push_back(static_cast<int>(group_.PartInfos.size() + column.Coil));
        values.push_back(1.0);
        model_.addColumn(static_cast<int>(rows.size()), rows.data(), values.data(), 0.0, COIN_DBL_MAX,
                         group_.CoilInfos[column.Coil].UsableCost);
        columns_.push_back(std::move(column));
    }

    bool Solve()
    {
        model_.primal();
        return model_.isProvenOptimal();
    }

    double Objective() const { return model_.objectiveValue(); }
    double Dual(std::size_t row) const { return model_.dualRowSolution()[row]; }
    const std::vector<CGeneratedColumn>& Columns() const { return columns_; }

    CMasterSolution Finish(double lagrangianBound)
    {
        CMasterSolution out;
        const std::size_t parts = group_.PartInfos.size();
        const double* x = model_.primalColumnSolution();
        const double* reduced = model_.dualColumnSolution();
        double weight = 0.0;
        for (std::size_t k = 0; k < columns_.size(); ++k) {
            const double v = std::max(0.0, x[parts + k]);
            out.X.push_back(v);
            out.ReducedCost.push_back(reduced[parts + k]);
            weight += v * CoilWeightPerUsableKg(group_, group_.CoilInfos[columns_[k].Coil]);
        }
        double shortCost = 0.0;
        for (std::size_t j = 0; j < parts; ++j) {
            out.Price.push_back(std::max(0.0, Dual(j)));
            out.Shortfall.push_back(std::max(0.0, x[j]));
            shortCost += out.Shortfall.back() * ShortfallCost(group_);
        }
        // The gap still open is charged to the coil, not to the shortfall.
        const double objective = Objective();
        out.Objective = objective;
        const double gap = std::max(0.0, objective - std::max(lagrangianBound, 0.0));
        const double coilCost = objective - shortCost;
        out.LeastCost = std::max(0.0, coilCost - gap);
        out.LeastCoilWeight = coilCost > 0.0 ? weight * out.LeastCost / coilCost : weight;
        out.Columns = std::move(columns_);
        return out;
    }

private:
    const COptimiser& group_;
    ClpSimplex model_;
    std::vector<CGeneratedColumn> columns_;
};

} // namespace

CPatternRules RulesForCoil(const COptimiser& group, const CCoilInfo& coil)
{
    const CSettings& s = group.Settings;
    const long long slits = static_cast<long long>(s.MaxKnives) + 1;
    CPatternRules rules;
    rules.UsableWidth = coil.UsableWidth;
    rules.Kerf = s.Kerf;
    rules.MaxSlits = static_cast<int>(std::clamp<long long>(slits, 1, 100000));
    rules.MaxDistinct = s.MaxDifSlits < slits ? std::max(1, s.MaxDifSlits) : 0;
    return rules;
}

std::vector<std::pair<std::size_t, double>> RequirementShares(const COptimiser& group,
                                                              const CGeneratedColumn& column)
{
    std::vector<std::pair<std::size_t, double>> shares;
    const double usable = group.CoilInfos[column.Coil].UsableWidth;
    for (SlitPos k : column.Positions) {
        const CSlitWidth& slit = group.Widths[k];
        const auto j = static_cast<std::size_t>(slit.Info->Index);
        auto it = std::find_if(shares.begin(), shares.end(), [j](const auto& e) { return e.first == j; });
        if (it == shares.end())
            shares.emplace_back(j, slit.Width / usable);
        else
            it->second += slit.Width / usable;
    }
    return shares;
}

std::vector<CGeneratedColumn> PatternsWith(const COptimiser& group, const CMasterSolution& master,
                                           std::size_t requirement, const CStopToken* stop)
{
    std::vector<CPricingItem> items;
    for (std::size_t k = 0; k < group.Widths.size(); ++k) {
        const CSlitWidth& slit = group.Widths[k];
        if (slit.Info->InfoKind == InfoRequirement)
            items.push_back({static_cast<SlitPos>(k), slit.Width,
                             master.Price[static_cast<std::size_t>(slit.Info->Index)] * slit.Width});
    }
    std::vector<CGeneratedColumn> out;
    for (std::size_t c = 0; c < group.CoilInfos.size(); ++c) {
        const CPatternRules rules = RulesForCoil(group, group.CoilInfos[c]);
        for (const CPricingItem& forced : items) {
            if (static_cast<std::size_t>(group.Widths[forced.Position].Info->Index) != requirement)
                continue;
            CPricedPattern best = PriceBestPatternWith(items, rules, forced, PricingNodes, stop);
            const double total = PatternTotal(best.Positions, group.Widths, group.Settings.Kerf);
            if (!best.Positions.empty() && total >= 0.5 * rules.UsableWidth)
                out.push_back({c, std::move(best.Positions), total});
        }
    }
    return out;
}

CMasterTargets GroupTargets(const COptimiser& group)
{
    CMasterTargets targets;
    for (const CPartInfo& info : group.PartInfos)
        targets.Demand.push_back(info.Amount);
    for (const CCoilInfo& coil : group.CoilInfos)
        targets.Capacity.push_back(coil.UsableWeight);
    return targets;
}

CMasterSolution SolveMaster(const COptimiser& group, const CMasterTargets& targets,
                            const std::vector<CGeneratedColumn>& known, const CStopToken* stop,
                            const std::function<void(double)>& progress)
{
    CMaster master(group, targets);
    const double kerf = group.Settings.Kerf;

    // Every width repeated across every coil it fits: the stock alone then decides feasibility.
    std::vector<std::size_t> requirementWidths;
    for (std::size_t k = 0; k < group.Widths.size(); ++k)
        if (group.Widths[k].Info->InfoKind == InfoRequirement)
            requirementWidths.push_back(k);
    for (std::size_t c = 0; c < group.CoilInfos.size(); ++c) {
        const double usable = group.CoilInfos[c].UsableWidth;
        for (std::size_t k : requirementWidths) {
            const double n = std::floor(usable / (group.Widths[k].Width + kerf));
            if (n < 1 || !std::isfinite(n))
                continue;
            CGeneratedColumn column{c, std::vector<SlitPos>(static_cast<std::size_t>(n), static_cast<SlitPos>(k)), 0.0};
            column.Total = PatternTotal(column.Positions, group.Widths, kerf);
            master.Add(std::move(column));
        }
    }

    for (const CGeneratedColumn& column : known)
        if (std::find_if(master.Columns().begin(), master.Columns().end(), [&column](const auto& c) {
                return c.Coil == column.Coil && c.Positions == column.Positions;
            }) == master.Columns().end())
            master.Add(column);

    double bound = -COIN_DBL_MAX;
    int iteration = 0;
    bool converged = false;
    bool stopped = false;
    std::vector<CPricingItem> items;
    while (iteration < MaxIterations) {
        ++iteration;
        if (!master.Solve())
            break;
        const double objective = master.Objective();
        double lagrangian = objective;
        std::vector<CGeneratedColumn> fresh;
        for (std::size_t c = 0; c < group.CoilInfos.size() && !stopped; ++c) {
            const CCoilInfo& coil = group.CoilInfos[c];
            items.clear();
            for (std::size_t k : requirementWidths) {
                const double price = std::max(0.0, master.Dual(static_cast<std::size_t>(group.Widths[k].Info->Index)));
                items.push_back({static_cast<SlitPos>(k), group.Widths[k].Width, price * group.Widths[k].Width});
            }
            const CPricedPattern best = PriceBestPattern(items, RulesForCoil(group, coil), PricingNodes, stop);
            const double coilDual = std::min(0.0, master.Dual(group.PartInfos.size() + c));
            // The least reduced cost any pattern of this coil can have, and the pattern found.
            const double least = coil.UsableCost - coilDual - best.UpperValue / coil.UsableWidth;
            lagrangian += targets.Capacity[c] * std::min(0.0, least);
            const double found = coil.UsableCost - coilDual - best.Value / coil.UsableWidth;
            if (!best.Positions.empty() && found < -1e-9 * coil.UsableCost) {
                const double total = PatternTotal(best.Positions, group.Widths, kerf);
                fresh.push_back({c, best.Positions, total});
            }
            stopped = stop && stop->StopRequested();
        }
        bound = std::max(bound, lagrangian);
        if (progress)
            progress(std::min(1.0, objective > 0.0 ? std::max(0.0, bound / objective) : 1.0));
        if (stopped)
            break;
        if (fresh.empty() || bound >= objective * (1.0 - BoundGap)) {
            converged = true;
            break;
        }
        for (auto& column : fresh)
            master.Add(std::move(column));
    }
    CMasterSolution out = master.Finish(bound);
    out.Iterations = iteration;
    out.Converged = converged;
    out.Stopped = stopped;
    return out;
}

} // namespace vellicor
