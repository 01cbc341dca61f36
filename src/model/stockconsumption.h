#pragma once

#include "model/coil.h"

#include <memory>
#include <vector>

namespace vellicor {

class CLayout;

// Coil records made for booking a result; they belong to the caller, not to a document.
using CoilList = std::vector<std::unique_ptr<CCoil>>;

// The number of coils of length `lengthPerCoil` that a run of `usedLength` starts on (at least one),
// and in `rest` the length left on the last of them. A zero coil length counts as 1 mm.
int CoilsNeeded(double usedLength, double lengthPerCoil, double& rest);

// Appends the strips of rest width beside the slits of `layout`, valued at 90 % of the coil's cost:
// one strip for a run within one coil, else full-length strips (suffix 1) and the strip of the last
// coil's part length (suffix 2). A layout without a coil gives nothing.
void AddWidthOffcuts(const CLayout& layout, CoilList& offcuts);

} // namespace vellicor
