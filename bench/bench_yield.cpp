// The best-yield engine against the compatible one on the same generated jobs, in one run: per
// size the coil each plan uses, the least possible coil weight, their ratio, the layouts, the time
// and the peak heap. The summary gives the median, 90th percentile and worst ratio over all jobs,
// how often the best-yield plan was heavier than the compatible one, and the layouts over the set.

#include "benchjobs.h"
#include "heapcounter.h"

#include "model/vellicordoc.h"
#include "optimiser/optimise.h"
#include "platform/usermessages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace vellicor::bench {
namespace {

constexpr std::uint32_t Variants = 4;

struct SilentMessages : IUserMessages {
    MessageAnswer Show(int, const std::vector<std::string>&, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::Ok;
    }
};

// The best-yield engine's own figures of the job's single group.
struct GroupFigures : IOptimiseProgress {
    bool BeforeGroup(int, int, const std::string&) override { return true; }
    void AfterGroup(const CGroupStats& stats) override { yield = stats.Yield; }
    CYieldStats yield;
};

struct Plan {
    double coil = 0.0;
    double least = 0.0;
    double shortKg = 0.0;
    int layouts = 0;
    double cpuSeconds = 0.0;
    double peakMB = 0.0;
    CYieldStats figures;
};

double CpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// With `equalCosts` every stock row costs the same per kg, so that the cheapest plan is also the
// lightest and the two engines' coil weights compare directly.
Plan PlanJob(const CBenchJob& job, EOptimiserEngine engine, bool equalCosts = false)
{
    CVellicorDoc doc;
    for (const auto& c : job.Coils) {
        doc.AddCoil(std::make_unique<CCoil>(*c));
        if (equalCosts)
            doc.GetCoil(doc.GetCoilCount() - 1)->CostPerKg = 1.0;
    }
    for (const auto& p : job.Parts)
        doc.AddPart(std::make_unique<CCoilPart>(*p));
    for (const auto& p : job.Slits)
        doc.AddSlit(std::make_unique<CCoilPart>(*p));
    doc.Settings = job.Settings;
    SilentMessages messages;
    const std::size_t base = heapInUse.load();
    ResetHeapPeak();
    const double start = CpuSeconds();
    GroupFigures group;
    Optimise(doc, messages, &group, {engine, nullptr});
    Plan plan;
    plan.cpuSeconds = CpuSeconds() - start;
    plan.peakMB = static_cast<double>(HeapPeakSinceReset(base)) / (1024.0 * 1024.0);
    plan.coil = doc.Layouts.TotalWeight();
    plan.least = doc.LeastCoilWeight.value_or(0.0);
    plan.shortKg = doc.UnderProducedWeight();
    plan.layouts = doc.Layouts.GetCount();
    plan.figures = group.yield;
    return plan;
}

struct Tally {
    std::vector<double> yieldRatios;
    std::vector<double> compatibleRatios;
    int heavier = 0;
    int heavierAtEqualCosts = 0;
    int equalCostJobs = 0;
    long yieldLayouts = 0;
    long compatibleLayouts = 0;
};

Tally& Totals()
{
    static Tally tally;
    return tally;
}

void SideBySide(benchmark::State& state)
{
    const int widths = static_cast<int>(state.range(0));
    Plan y;
    Plan c;
    for (auto _ : state) {
        y = {};
        c = {};
        for (std::uint32_t v = 0; v < Variants; ++v) {
            const CBenchJob job = MakeBenchJob(widths, v);
            const Plan a = PlanJob(job, EOptimiserEngine::Yield);
            const Plan b = PlanJob(job, EOptimiserEngine::Compatible);
            Tally& t = Totals();
            t.yieldRatios.push_back(a.coil / a.least);
            t.compatibleRatios.push_back(b.coil / b.least);
            t.heavier += a.coil > b.coil * (1.0 + 1e-9) ? 1 : 0;
            t.yieldLayouts += a.layouts;
            t.compatibleLayouts += b.layouts;
            for (auto [sum, one] : {std::pair{&y, &a}, std::pair{&c, &b}}) {
                sum->coil += one->coil;
                sum->least += one->least;
                sum->shortKg += one->shortKg;
                sum->layouts += one->layouts;
                sum->cpuSeconds = std::max(sum->cpuSeconds, one->cpuSeconds);
                sum->peakMB = std::max(sum->peakMB, one->peakMB);
                sum->figures.MipSeconds = std::max(sum->figures.MipSeconds, one->figures.MipSeconds);
            }
        }
    }
    state.counters["bound_t"] = y.least / 1000.0;
    state.counters["yield_t"] = y.coil / 1000.0;
    state.counters["compat_t"] = c.coil / 1000.0;
    state.counters["yield_ratio"] = y.coil / y.least;
    state.counters["compat_ratio"] = c.coil / c.least;
    state.counters["yield_layouts"] = y.layouts;
    state.counters["compat_layouts"] = c.layouts;
    state.counters["yield_short_kg"] = y.shortKg;
    state.counters["yield_max_s"] = y.cpuSeconds;
    state.counters["compat_max_s"] = c.cpuSeconds;
    state.counters["yield_peak_MB"] = y.peakMB;
    state.counters["compat_peak_MB"] = c.peakMB;
    state.counters["yield_max_mip_s"] = y.figures.MipSeconds;
}

double Quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void Summary(benchmark::State& state)
{
    for (auto _ : state) {
    }
    const Tally& t = Totals();
    state.counters["jobs"] = static_cast<double>(t.yieldRatios.size());
    state.counters["yield_median"] = Quantile(t.yieldRatios, 0.5);
    state.counters["yield_p90"] = Quantile(t.yieldRatios, 0.9);
    state.counters["yield_worst"] = Quantile(t.yieldRatios, 1.0);
    state.counters["compat_median"] = Quantile(t.compatibleRatios, 0.5);
    state.counters["compat_p90"] = Quantile(t.compatibleRatios, 0.9);
    state.counters["compat_worst"] = Quantile(t.compatibleRatios, 1.0);
    state.counters["yield_heavier"] = t.heavier;
    state.counters["layouts_ratio"] =
        t.compatibleLayouts > 0 ? static_cast<double>(t.yieldLayouts) / static_cast<double>(t.compatibleLayouts) : 0.0;
}

// The best-yield engine alone at a size the compatible one cannot plan interactively.
void YieldAlone(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    Plan p;
    for (auto _ : state)
        p = PlanJob(job, EOptimiserEngine::Yield);
    state.counters["bound_t"] = p.least / 1000.0;
    state.counters["yield_t"] = p.coil / 1000.0;
    state.counters["yield_ratio"] = p.coil / p.least;
    state.counters["yield_layouts"] = p.layouts;
    state.counters["yield_s"] = p.cpuSeconds;
    state.counters["yield_peak_MB"] = p.peakMB;
    state.counters["columns"] = static_cast<double>(p.figures.ColumnsGenerated);
    state.counters["master_solves"] = p.figures.Iterations;
    state.counters["mip_patterns"] = static_cast<double>(p.figures.MipPatterns);
    state.counters["mip_s"] = p.figures.MipSeconds;
    state.counters["mip_gap"] = p.figures.MipGap;
}

// The same jobs with one cost per kg: the best-yield plan should never be heavier.
void EqualCosts(benchmark::State& state)
{
    const int widths = static_cast<int>(state.range(0));
    double yieldCoil = 0.0;
    double compatibleCoil = 0.0;
    for (auto _ : state) {
        for (std::uint32_t v = 0; v < Variants; ++v) {
            const CBenchJob job = MakeBenchJob(widths, v);
            const Plan a = PlanJob(job, EOptimiserEngine::Yield, true);
            const Plan b = PlanJob(job, EOptimiserEngine::Compatible, true);
            yieldCoil += a.coil;
            compatibleCoil += b.coil;
            Tally& t = Totals();
            ++t.equalCostJobs;
            t.heavierAtEqualCosts += a.coil > b.coil * (1.0 + 1e-9) ? 1 : 0;
        }
    }
    state.counters["yield_t"] = yieldCoil / 1000.0;
    state.counters["compat_t"] = compatibleCoil / 1000.0;
    state.counters["jobs"] = Totals().equalCostJobs;
    state.counters["yield_heavier"] = Totals().heavierAtEqualCosts;
}

BENCHMARK(SideBySide)->DenseRange(5, 60, 5)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(Summary)->Iterations(1);
BENCHMARK(EqualCosts)->DenseRange(5, 60, 5)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(YieldAlone)->Arg(40)->Arg(150)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace vellicor::bench

BENCHMARK_MAIN();
