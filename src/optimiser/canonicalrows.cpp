#include "optimiser/canonicalrows.h"

#include <algorithm>
#include <tuple>

namespace vellicor {

std::vector<CCoil*> CanonicalOrder(std::span<CCoil* const> coils)
{
    std::vector<CCoil*> out(coils.begin(), coils.end());
    std::stable_sort(out.begin(), out.end(), [](const CCoil* a, const CCoil* b) {
        return std::tie(a->Material, a->Thickness, a->Width, a->LeftTrim, a->RightTrim, a->CostPerKg, a->WeightPerCoil,
                        a->Qty, a->Name, a->Remarks) <
               std::tie(b->Material, b->Thickness, b->Width, b->LeftTrim, b->RightTrim, b->CostPerKg, b->WeightPerCoil,
                        b->Qty, b->Name, b->Remarks);
    });
    return out;
}

std::vector<CCoilPart*> CanonicalOrder(std::span<CCoilPart* const> parts)
{
    std::vector<CCoilPart*> out(parts.begin(), parts.end());
    std::stable_sort(out.begin(), out.end(), [](const CCoilPart* a, const CCoilPart* b) {
        return std::tie(a->Material, a->Thickness, a->Length, a->Width, a->Rotation, a->Kind, a->Quantity, a->Name,
                        a->Priority, a->Remarks) <
               std::tie(b->Material, b->Thickness, b->Length, b->Width, b->Rotation, b->Kind, b->Quantity, b->Name,
                        b->Priority, b->Remarks);
    });
    return out;
}

} // namespace vellicor
