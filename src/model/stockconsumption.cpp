#include "model/stockconsumption.h"

#include "model/density.h"
#include "model/layout.h"
#include "model/vellicordoc.h"
#include "units/numeric.h"

#include <cmath>
#include <limits>
#include <string>

namespace vellicor {
namespace {

std::string OffcutName(const std::string& material, double a, double b)
{
    return material + "_" + std::to_string(TruncToInt(a)) + "_" + std::to_string(TruncToInt(b));
}

std::string OffcutName(const std::string& material, double a, double b, int sequence)
{
    return OffcutName(material, a, b) + "_" + std::to_string(sequence);
}

} // namespace

int CoilsNeeded(double usedLength, double lengthPerCoil, double& rest)
{
    const double p = IsZero(lengthPerCoil) ? 1.0 : lengthPerCoil;
    int n = TruncToInt(usedLength / p);
    if (n == 0)
        n = 1;
    // Layouts summed to whole coils leave rounding noise, which must not start another coil. A count
    // beyond the int range stays at its top.
    if (n < std::numeric_limits<int>::max() && usedLength - n * p > kTolerance)
        ++n;
    rest = std::fabs(usedLength - n * p);
    return n;
}

void AddWidthOffcuts(const CLayout& layout, CoilList& offcuts)
{
    const CCoil* coil = layout.Coil;
    if (!coil)
        return;
    const std::string& material = coil->Material;
    const double w = layout.RestWidth();
    const double t = coil->Thickness;
    const double cost = coil->CostPerKg * 0.9;
    const double p = coil->LengthPerCoil();
    const double u = layout.UsedLength();
    const double density = GetDensity(material);
    auto strip = [&](std::string name, double length) {
        offcuts.push_back(std::make_unique<CCoil>(std::move(name), w, material, t, w * t * length * density * 1e-9, 1,
                                                  std::string(), cost, 0.0, 0.0));
        offcuts.back()->GivenThickness = coil->GivenThickness;
        return offcuts.back().get();
    };

    double rest = 0.0;
    const int m = CoilsNeeded(u, p, rest) - 1;
    if (m == 0) {
        strip(OffcutName(material, u, w), u);
        return;
    }
    CCoil* full = strip(OffcutName(material, p, w, 1), p);
    const double r = u - m * p;
    if (IsEqual(r, p)) {
        full->Qty = m + 1;
    } else if (!IsZero(r)) {
        full->Qty = m;
        strip(OffcutName(material, r, w, 2), r);
    }
}

void CVellicorDoc::BuildStockConsumption(CoilList& used, CoilList& offcuts) const
{
    for (const auto& coil : Coils) {
        double u = 0.0;
        for (const auto& layout : Layouts)
            if (layout->Coil && layout->Coil->Name == coil->Name)
                u += layout->UsedLength();
        if (IsZero(u))
            continue;
        double rest = 0.0;
        const int n = CoilsNeeded(u, coil->LengthPerCoil(), rest);
        used.push_back(std::make_unique<CCoil>(coil->Name, coil->Width, coil->Material, coil->Thickness,
                                               coil->WeightPerCoil, n, coil->Remarks, coil->CostPerKg,
                                               coil->LeftTrim, coil->RightTrim));
        used.back()->GivenThickness = coil->GivenThickness;
        if (IsZero(rest))
            continue;
        const double weight = coil->Width * coil->Thickness * rest * GetDensity(coil->Material) * 1e-9;
        offcuts.push_back(std::make_unique<CCoil>(OffcutName(coil->Material, rest, coil->Width), coil->Width,
                                                  coil->Material, coil->Thickness, weight, 1, coil->Remarks,
                                                  coil->CostPerKg, coil->LeftTrim, coil->RightTrim));
        offcuts.back()->GivenThickness = coil->GivenThickness;
    }
    const double minOffCut = Settings.MinOffCut;
    for (const auto& layout : Layouts) {
        if (!layout->Coil)
            continue;
        const double w = layout->RestWidth();
        if (w > minOffCut || IsEqual(w, minOffCut))
            AddWidthOffcuts(*layout, offcuts);
    }
}

} // namespace vellicor
