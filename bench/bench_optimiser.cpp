// Generated jobs of 10 to 100 widths. Pattern generation: the product's against the generation that
// builds each pass's whole list, time and peak heap side by side, with how many patterns its old
// pruning order keeps otherwise; and in the product's pruning order the whole-pass generation and
// the step-by-step baseline must give the product's pool. Also the passes and the columns. Selection: the linear program's size and solve time. The whole group: every stage of Run.
// The whole job: the Optimise command end to end, with the share of each stage.

#include "baselinepatterns.h"
#include "benchjobs.h"
#include "heapcounter.h"
#include "wholepasspatterns.h"

#include "model/vellicordoc.h"
#include "optimiser/optimise.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/sequencing.h"
#include "optimiser/wholepieces.h"
#include "platform/usermessages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <set>

namespace vellicor::bench {
namespace {

std::unique_ptr<CPatternOptimiser> MakeOptimiser(const CBenchJob& job)
{
    const auto coils = job.CoilRows();
    const auto parts = job.PartRows();
    const auto slits = job.SlitRows();
    return std::make_unique<CPatternOptimiser>(coils, parts, slits, std::span<CCoilPart* const>(), job.Settings);
}

bool SamePool(const CPatternList& pool, const CBaselineGeneration::List& baseline)
{
    if (pool.Size() != baseline.size())
        return false;
    for (std::size_t i = 0; i < pool.Size(); ++i)
        if (!PatternsEqual(pool.View(i), baseline[i]->View()))
            return false;
    return true;
}

bool SamePool(const CPatternList& a, const CPatternList& b)
{
    if (a.Size() != b.Size())
        return false;
    for (std::size_t i = 0; i < a.Size(); ++i)
        if (!PatternsEqual(a.View(i), b.View(i)))
            return false;
    return true;
}

// The patterns of a that b lacks.
std::size_t Missing(const CPatternList& a, const CPatternList& b)
{
    std::set<std::vector<SlitPos>> known;
    for (std::size_t i = 0; i < b.Size(); ++i)
        known.emplace(b.Positions(i).begin(), b.Positions(i).end());
    std::size_t missing = 0;
    for (std::size_t i = 0; i < a.Size(); ++i)
        missing += known.count(std::vector<SlitPos>(a.Positions(i).begin(), a.Positions(i).end())) == 0 ? 1 : 0;
    return missing;
}

void BM_GeneratePatterns(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    std::size_t peak = 0;
    std::size_t pool = 0;
    std::size_t columns = 0;
    int passes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto opt = MakeOptimiser(job);
        const std::size_t base = heapInUse.load();
        ResetHeapPeak();
        state.ResumeTiming();
        opt->GeneratePatterns();
        state.PauseTiming();
        peak = HeapPeakSinceReset(base);
        passes = opt->Iteration;
        pool = opt->PatternPool.Size();
        opt->AddFullWidthPatterns();
        opt->BuildColumns();
        opt->AddFillerSlits();
        columns = opt->Columns.size();
        opt.reset();
        state.ResumeTiming();
    }
    state.counters["passes"] = passes;
    state.counters["pool"] = static_cast<double>(pool);
    state.counters["columns"] = static_cast<double>(columns);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
}

void BM_WholePassGeneratePatterns(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    std::size_t peak = 0;
    std::size_t pool = 0;
    std::size_t onlyOld = 0;
    std::size_t onlyNew = 0;
    int passes = 0;
    bool same = true;
    for (auto _ : state) {
        state.PauseTiming();
        auto opt = MakeOptimiser(job);
        const std::size_t base = heapInUse.load();
        ResetHeapPeak();
        state.ResumeTiming();
        {
            CWholePassGeneration old(*opt, EPruneOrder::Tolerance);
            const CPatternList& result = old.Generate();
            state.PauseTiming();
            peak = HeapPeakSinceReset(base);
            passes = old.Iteration();
            pool = result.Size();
            opt->GeneratePatterns();
            CWholePassGeneration steps(*opt, EPruneOrder::Steps);
            same = same && SamePool(opt->PatternPool, steps.Generate()) && opt->Iteration == steps.Iteration();
            onlyOld = Missing(result, opt->PatternPool);
            onlyNew = Missing(opt->PatternPool, result);
            state.ResumeTiming();
        }
    }
    if (!same)
        state.SkipWithError("the whole-pass pool in the product's order differs from the product's");
    state.counters["passes"] = passes;
    state.counters["pool"] = static_cast<double>(pool);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["only_old"] = static_cast<double>(onlyOld);
    state.counters["only_new"] = static_cast<double>(onlyNew);
}

void BM_BaselineGeneratePatterns(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    std::size_t peak = 0;
    std::size_t pool = 0;
    int passes = 0;
    bool same = true;
    for (auto _ : state) {
        state.PauseTiming();
        auto opt = MakeOptimiser(job);
        const std::size_t base = heapInUse.load();
        ResetHeapPeak();
        state.ResumeTiming();
        {
            CBaselineGeneration baseline(*opt);
            const auto& result = baseline.Generate();
            state.PauseTiming();
            peak = HeapPeakSinceReset(base);
            passes = baseline.Iteration();
            pool = result.size();
            opt->GeneratePatterns();
            same = same && SamePool(opt->PatternPool, result) && opt->Iteration == passes;
            state.ResumeTiming();
        }
    }
    if (!same)
        state.SkipWithError("the baseline's pool differs from the product's");
    state.counters["passes"] = passes;
    state.counters["pool"] = static_cast<double>(pool);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
}

void BM_SolvePatterns(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::size_t used = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto opt = MakeOptimiser(job);
        opt->GeneratePatterns();
        opt->AddFullWidthPatterns();
        opt->BuildColumns();
        opt->AddFillerSlits();
        rows = opt->PartInfos.size() + opt->CoilInfos.size();
        columns = opt->Columns.size();
        state.ResumeTiming();
        const std::vector<double> x = opt->SolvePatterns();
        state.PauseTiming();
        used = static_cast<std::size_t>(std::count_if(x.begin(), x.end(), [](double v) { return v > 0; }));
        opt.reset();
        state.ResumeTiming();
    }
    if (used == 0)
        state.SkipWithError("the program has no solution");
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["columns"] = static_cast<double>(columns);
    state.counters["used"] = static_cast<double>(used);
}

void BM_OptimiseGroup(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    std::size_t layouts = 0;
    double shortKg = 0.0;
    for (auto _ : state) {
        auto opt = MakeOptimiser(job);
        opt->Run();
        state.PauseTiming();
        layouts = static_cast<std::size_t>(opt->Results.GetCount());
        shortKg = 0.0;
        for (const auto* rows : {&job.Parts, &job.Slits})
            for (const auto& r : *rows)
                shortKg += std::max(0.0, r->RequiredWeight() - opt->Results.ProducedWeight(r->Name));
        opt.reset();
        state.ResumeTiming();
    }
    if (layouts == 0)
        state.SkipWithError("no layout");
    state.counters["layouts"] = static_cast<double>(layouts);
    state.counters["short_kg"] = shortKg;
}

std::unique_ptr<CVellicorDoc> MakeDocument(const CBenchJob& job)
{
    auto doc = std::make_unique<CVellicorDoc>();
    for (const auto& c : job.Coils)
        doc->AddCoil(std::make_unique<CCoil>(*c));
    for (const auto& p : job.Parts)
        doc->AddPart(std::make_unique<CCoilPart>(*p));
    for (const auto& p : job.Slits)
        doc->AddSlit(std::make_unique<CCoilPart>(*p));
    doc->Settings = job.Settings;
    return doc;
}

struct SilentMessages : IUserMessages {
    MessageAnswer Show(int, const std::vector<std::string>&, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::Ok;
    }
};

// Milliseconds of each stage of one run on the job's single group, in the order Optimise runs them.
struct StageTimes {
    double generation = 0.0;
    double selection = 0.0;
    double assembly = 0.0;
    double sequencing = 0.0;
};

StageTimes TimeStages(const CBenchJob& job)
{
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    auto doc = MakeDocument(job);
    StageTimes t;
    const auto start = Clock::now();
    std::vector<CCoil*> coils;
    for (const auto& c : doc->Coils)
        coils.push_back(c.get());
    std::vector<CCoilPart*> parts;
    for (const auto& p : doc->Parts)
        parts.push_back(p.get());
    std::vector<CCoilPart*> slits;
    for (const auto& p : doc->Slits)
        slits.push_back(p.get());
    CPatternOptimiser opt(coils, parts, slits, {}, doc->Settings);
    opt.GeneratePatterns();
    opt.AddFullWidthPatterns();
    opt.BuildColumns();
    opt.AddFillerSlits();
    const auto generated = Clock::now();
    opt.SelectPatterns();
    const auto selected = Clock::now();
    opt.ApplyMinPatternWeight(opt.Settings.MinPatWt);
    opt.SplitToStockRows();
    opt.SplitToPartRows();
    while (!opt.Results.IsEmpty())
        doc->Layouts.Add(opt.Results.Remove(opt.Results.GetAt(0)));
    RoundUpToWholePieces(doc->Layouts);
    const auto assembled = Clock::now();
    SequenceLayouts(doc->Layouts);
    const auto sequenced = Clock::now();
    t.generation = ms(start, generated);
    t.selection = ms(generated, selected);
    t.assembly = ms(selected, assembled);
    t.sequencing = ms(assembled, sequenced);
    return t;
}

void BM_OptimiseJob(benchmark::State& state)
{
    const CBenchJob job = MakeBenchJob(static_cast<int>(state.range(0)));
    SilentMessages messages;
    std::size_t layouts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = MakeDocument(job);
        state.ResumeTiming();
        Optimise(*doc, messages);
        state.PauseTiming();
        layouts = static_cast<std::size_t>(doc->Layouts.GetCount());
        doc.reset();
        state.ResumeTiming();
    }
    if (layouts == 0)
        state.SkipWithError("no layout");
    const StageTimes t = TimeStages(job);
    state.counters["layouts"] = static_cast<double>(layouts);
    state.counters["gen_ms"] = t.generation;
    state.counters["lp_ms"] = t.selection;
    state.counters["assembly_ms"] = t.assembly;
    state.counters["seq_ms"] = t.sequencing;
}

BENCHMARK(BM_GeneratePatterns)->DenseRange(10, 100, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholePassGeneratePatterns)->DenseRange(10, 100, 10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BaselineGeneratePatterns)->Arg(10)->Arg(20)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SolvePatterns)->Arg(10)->Arg(20)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseGroup)->Arg(10)->Arg(20)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseJob)->Arg(10)->Arg(20)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vellicor::bench

BENCHMARK_MAIN();
