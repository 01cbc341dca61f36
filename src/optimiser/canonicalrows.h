#pragma once

#include "model/coil.h"
#include "model/coilpart.h"

#include <span>
#include <vector>

namespace vellicor {

// The rows of a group in an order that depends only on what they hold, so that a plan does not
// change when the planner reorders the sheets.
std::vector<CCoil*> CanonicalOrder(std::span<CCoil* const> coils);
std::vector<CCoilPart*> CanonicalOrder(std::span<CCoilPart* const> parts);

} // namespace vellicor
