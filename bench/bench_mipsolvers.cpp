// The integer plans of the best-yield engine solved by CBC (the product's solver) and by lp_solve's
// branch and bound, under the same time limit: the objective each reaches and how long it takes.

#include "benchjobs.h"

#include "optimiser/mipmodel.h"
#include "optimiser/yieldoptimiser.h"

#include <benchmark/benchmark.h>
#include <lpsolve/lp_lib.h>

#include <chrono>
#include <numeric>

namespace vellicor::bench {
namespace {

constexpr double Seconds = 10.0;

CMipModel PlanOf(int widths, double minPatWt)
{
    CBenchJob job = MakeBenchJob(widths);
    job.Settings.MinPatWt = minPatWt;
    const auto coils = job.CoilRows();
    const auto parts = job.PartRows();
    const auto slits = job.SlitRows();
    CYieldOptimiser opt(coils, parts, slits, {}, job.Settings);
    opt.Run();
    return opt.PlanModel;
}

struct Solved {
    bool found = false;
    double objective = 0.0;
    double seconds = 0.0;
};

Solved SolveWithLpSolve(const CMipModel& m)
{
    const auto started = std::chrono::steady_clock::now();
    const int n = static_cast<int>(m.Cost.size());
    lprec* lp = make_lp(0, n);
    set_verbose(lp, NEUTRAL);
    set_minim(lp);
    std::vector<double> obj(m.Cost);
    std::vector<int> cols(static_cast<std::size_t>(n));
    std::iota(cols.begin(), cols.end(), 1);
    set_obj_fnex(lp, n, obj.data(), cols.data());
    std::vector<std::vector<int>> rowCols(m.RowLower.size());
    std::vector<std::vector<double>> rowValues(m.RowLower.size());
    for (std::size_t e = 0; e < m.EntryValue.size(); ++e) {
        rowCols[static_cast<std::size_t>(m.EntryRow[e])].push_back(m.EntryColumn[e] + 1);
        rowValues[static_cast<std::size_t>(m.EntryRow[e])].push_back(m.EntryValue[e]);
    }
    set_add_rowmode(lp, TRUE);
    for (std::size_t r = 0; r < m.RowLower.size(); ++r) {
        const double lo = m.RowLower[r];
        const double hi = m.RowUpper[r];
        const int type = lo <= -1e29 ? LE : hi >= 1e29 ? GE : EQ;
        add_constraintex(lp, static_cast<int>(rowCols[r].size()), rowValues[r].data(), rowCols[r].data(), type,
                         type == LE ? hi : lo);
    }
    set_add_rowmode(lp, FALSE);
    for (int i = 0; i < n; ++i) {
        set_bounds(lp, i + 1, m.Lower[static_cast<std::size_t>(i)],
                   m.Upper[static_cast<std::size_t>(i)] >= 1e29 ? get_infinite(lp) : m.Upper[static_cast<std::size_t>(i)]);
        if (m.Integer[static_cast<std::size_t>(i)])
            set_int(lp, i + 1, TRUE);
    }
    set_timeout(lp, static_cast<long>(Seconds));
    const int status = solve(lp);
    Solved out;
    out.found = status == OPTIMAL || status == SUBOPTIMAL;
    if (out.found)
        out.objective = get_objective(lp);
    delete_lp(lp);
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return out;
}

void Solvers(benchmark::State& state)
{
    const CMipModel model = PlanOf(static_cast<int>(state.range(0)), static_cast<double>(state.range(1)));
    Solved cbc;
    Solved lps;
    for (auto _ : state) {
        const CMipOutcome outcome = SolveMip(model, {200, Seconds}, nullptr);
        cbc = {outcome.Solved, outcome.Objective, outcome.Seconds};
        lps = SolveWithLpSolve(model);
    }
    CMipModel cold = model;
    cold.Start.clear();
    const CMipOutcome coldOutcome = SolveMip(cold, {200, Seconds}, nullptr);
    state.counters["columns"] = static_cast<double>(model.Cost.size());
    state.counters["rows"] = static_cast<double>(model.RowLower.size());
    state.counters["cbc_obj"] = cbc.objective;
    state.counters["cbc_s"] = cbc.seconds;
    state.counters["cbc_nostart_obj"] = coldOutcome.Solved ? coldOutcome.Objective : -1.0;
    state.counters["cbc_nostart_s"] = coldOutcome.Seconds;
    state.counters["lpsolve_obj"] = lps.found ? lps.objective : -1.0;
    state.counters["lpsolve_s"] = lps.seconds;
}

BENCHMARK(Solvers)
    ->Args({10, 50})
    ->Args({20, 50})
    ->Args({40, 50})
    ->Args({20, 1500})
    ->Args({40, 1500})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
} // namespace vellicor::bench

BENCHMARK_MAIN();
