#pragma once

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/settings.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/yieldoptimiser.h"

#include <memory>
#include <string>
#include <vector>

namespace vellicor::test {

// The records of one material-and-thickness group, owned here as the document would own them.
struct COptimiserGroup {
    CCoil* AddCoil(double width, double weightPerCoil = 1000.0, int qty = 1, double costPerKg = 1.0,
                   double leftTrim = 0.0, double rightTrim = 0.0, double thickness = 1.0)
    {
        coils.push_back(std::make_unique<CCoil>("C" + std::to_string(coils.size() + 1), width, "st37", thickness,
                                                weightPerCoil, qty, "", costPerKg, leftTrim, rightTrim));
        return coils.back().get();
    }

    CCoilPart* AddSlit(double width, double kg, double thickness = 1.0)
    {
        slits.push_back(std::make_unique<CCoilPart>(NextName(), "st37", thickness, width, kg, "", 0));
        return slits.back().get();
    }

    // `length` lies across the coil unless the part is turned.
    CCoilPart* AddPart(double length, double width, int count, int rotation, double thickness = 1.0)
    {
        parts.push_back(
            std::make_unique<CCoilPart>(NextName(), "st37", thickness, length, width, count, "", rotation, 0));
        return parts.back().get();
    }

    CCoilPart* AddFiller(double width)
    {
        fillers.push_back(std::make_unique<CCoilPart>(NextName(), "st37", 1.0, width, -1.0, "", 0));
        return fillers.back().get();
    }

    std::unique_ptr<CPatternOptimiser> Make() const
    {
        const auto c = Rows(coils);
        const auto p = Rows(parts);
        const auto s = Rows(slits);
        const auto f = Rows(fillers);
        return std::make_unique<CPatternOptimiser>(c, p, s, f, settings);
    }

    std::unique_ptr<CYieldOptimiser> MakeYield(const CStopToken* stop = nullptr) const
    {
        const auto c = Rows(coils);
        const auto p = Rows(parts);
        const auto s = Rows(slits);
        const auto f = Rows(fillers);
        return std::make_unique<CYieldOptimiser>(c, p, s, f, settings, stop);
    }

    std::vector<std::unique_ptr<CCoil>> coils;
    std::vector<std::unique_ptr<CCoilPart>> parts;
    std::vector<std::unique_ptr<CCoilPart>> slits;
    std::vector<std::unique_ptr<CCoilPart>> fillers;
    CSettings settings;

private:
    std::string NextName() { return "P" + std::to_string(++names_); }

    template <class T>
    static std::vector<T*> Rows(const std::vector<std::unique_ptr<T>>& records)
    {
        std::vector<T*> out;
        for (const auto& r : records)
            out.push_back(r.get());
        return out;
    }

    int names_ = 0;
};

// The positions of every pattern of a list, in order.
inline std::vector<std::vector<SlitPos>> PositionLists(const CPatternList& list)
{
    std::vector<std::vector<SlitPos>> out;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const auto p = list.Positions(i);
        out.emplace_back(p.begin(), p.end());
    }
    return out;
}

// Every multiset of `positions` positions of `fewest` to `most` slits, fewest slits first, each
// ascending.
inline std::vector<std::vector<SlitPos>> Multisets(SlitPos positions, std::size_t fewest, std::size_t most)
{
    std::vector<std::vector<SlitPos>> all;
    std::vector<SlitPos> current;
    auto extend = [&](auto&& self, SlitPos from, std::size_t size) -> void {
        if (current.size() == size) {
            all.push_back(current);
            return;
        }
        for (SlitPos k = from; k < positions; ++k) {
            current.push_back(k);
            self(self, k, size);
            current.pop_back();
        }
    };
    for (std::size_t size = fewest; size <= most; ++size)
        extend(extend, 0, size);
    return all;
}

} // namespace vellicor::test
