// Cutting order of generated results: 10, 50 and 200 layouts of 3 to 9 knives on three coils.
#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "model/vellicordoc.h"
#include "optimiser/sequencing.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

using namespace vellicor;

// A job with `count` layouts drawn from 24 slit widths; the same count always gives the same job.
void FillJob(CVellicorDoc& doc, int count)
{
    for (int c = 0; c < 3; ++c)
        doc.AddCoil(std::make_unique<CCoil>("C" + std::to_string(c), 1250.0, "st37", 1.5, 5000.0, 4, "", 1.0, 5.0, 5.0));
    for (int w = 0; w < 24; ++w)
        doc.AddSlit(std::make_unique<CCoilPart>("S" + std::to_string(w), "st37", 1.5, 60.0 + 20.0 * w, 500.0, "", 0));
    std::mt19937 draw(20261210u);
    for (int i = 0; i < count; ++i) {
        CSlitPosList positions;
        const int knives = 3 + static_cast<int>(draw() % 7);
        for (int k = 0; k < knives; ++k)
            positions.push_back(std::make_unique<CLayoutSlit>(0, doc.GetSlit(static_cast<int>(draw() % 24))));
        doc.GetLayouts().Add(
            std::make_unique<CLayout>(doc.GetCoil(static_cast<int>(draw() % 3)), std::move(positions), 1000.0, 0.0));
    }
}

void BM_SequenceLayouts(benchmark::State& state)
{
    CVellicorDoc doc;
    FillJob(doc, static_cast<int>(state.range(0)));
    double after = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        CLayoutList layouts;
        for (const auto& layout : doc.GetLayouts())
            layouts.Add(std::make_unique<CLayout>(*layout));
        state.ResumeTiming();
        SequenceLayouts(layouts);
        after = ChangeCost(layouts);
    }
    state.counters["costBefore"] = ChangeCost(doc.GetLayouts());
    state.counters["costAfter"] = after;
}

BENCHMARK(BM_SequenceLayouts)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
