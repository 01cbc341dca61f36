#pragma once

// Generated jobs for the optimiser benchmarks: always the same job for the same size.

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/settings.h"

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace vellicor::bench {

struct CBenchJob {
    std::vector<std::unique_ptr<CCoil>> Coils;
    std::vector<std::unique_ptr<CCoilPart>> Parts;
    std::vector<std::unique_ptr<CCoilPart>> Slits;
    CSettings Settings; // the built-in defaults

    std::vector<CCoil*> CoilRows() const { return Pointers(Coils); }
    std::vector<CCoilPart*> PartRows() const { return Pointers(Parts); }
    std::vector<CCoilPart*> SlitRows() const { return Pointers(Slits); }

private:
    template <class T>
    static std::vector<T*> Pointers(const std::vector<std::unique_ptr<T>>& records)
    {
        std::vector<T*> out;
        for (const auto& r : records)
            out.push_back(r.get());
        return out;
    }
};

// A job whose width table has `widths` distinct entries: three quarters of them are requirements,
// and a third of those are parts that may be turned (they bring the other quarter). Three stock
// rows of different widths. Widths come in half millimetres between 40 and 420 mm. Another
// `variant` gives another job of the same size.
inline CBenchJob MakeBenchJob(int widths, std::uint32_t variant = 0)
{
    std::mt19937 rng(20261210u + static_cast<std::uint32_t>(widths) + 7919u * variant);
    auto uniform = [&rng](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<std::uint32_t>(hi - lo + 1)); };
    std::set<int> used;
    auto freshWidth = [&]() {
        for (;;) {
            const int halfMm = uniform(80, 840);
            if (used.insert(halfMm).second)
                return halfMm / 2.0;
        }
    };

    CBenchJob job;
    const double stock[] = {1250.0, 1000.0, 1520.0};
    for (int i = 0; i < 3; ++i)
        job.Coils.push_back(std::make_unique<CCoil>("S" + std::to_string(i + 1), stock[i], "st37", 1.0, 6000.0, 8,
                                                    "", 1.0 + 0.05 * i, 5.0, 5.0));

    const int requirements = widths * 3 / 4;
    const int turned = widths - requirements;
    for (int i = 0; i < requirements; ++i) {
        const std::string name = "R" + std::to_string(i + 1);
        if (i < turned) {
            const double across = freshWidth();
            const double along = freshWidth();
            const int count = uniform(400, 4000);
            job.Parts.push_back(std::make_unique<CCoilPart>(name, "st37", 1.0, across, along, count, "", 1, 0));
        } else {
            const double w = freshWidth();
            job.Slits.push_back(std::make_unique<CCoilPart>(name, "st37", 1.0, w, uniform(300, 4000) * 1.0, "", 0));
        }
    }
    return job;
}

} // namespace vellicor::bench
