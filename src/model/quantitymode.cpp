#include "model/quantitymode.h"

#include "model/vellicordoc.h"

#include <map>

namespace vellicor {
namespace {

// Gives the record the thickness of the new mode; returns the factor its weights take.
template <class Record>
double ChangeThickness(Record& rec, bool byLength)
{
    const double from = rec.Thickness;
    if (byLength) {
        if (from == kNominalThickness)
            return 1.0;
        rec.GivenThickness = from;
        rec.Thickness = kNominalThickness;
    } else {
        if (!(rec.GivenThickness > 0))
            return 1.0;
        rec.Thickness = rec.GivenThickness;
        rec.GivenThickness = 0.0;
    }
    // A record without a thickness has no weight to keep.
    return from > 0 ? rec.Thickness / from : 1.0;
}

} // namespace

void SetQuantitiesByLength(CVellicorDoc& doc, bool byLength)
{
    if ((doc.QtyByLength != 0) == byLength)
        return;
    doc.QtyByLength = byLength ? 1 : 0;
    std::map<const CCoil*, double> factors;
    for (const auto& coil : doc.Coils) {
        const double f = ChangeThickness(*coil, byLength);
        coil->WeightPerCoil *= f;
        factors[coil.get()] = f;
    }
    for (const auto& layout : doc.Layouts)
        if (layout->Coil)
            layout->Weight *= factors[layout->Coil];
    for (const auto& slit : doc.Slits) {
        const double f = ChangeThickness(*slit, byLength);
        if (slit->Quantity > 0)
            slit->Quantity *= f;
    }
    // Fillers have no weight and parts are counted.
    for (const auto& filler : doc.Fillers)
        ChangeThickness(*filler, byLength);
    for (const auto& part : doc.Parts)
        ChangeThickness(*part, byLength);
}

} // namespace vellicor
