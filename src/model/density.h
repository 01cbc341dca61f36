#pragma once

#include <string>

namespace vellicor {

// kg/m³ for every weight-length conversion. One density serves every material: the densities of
// the material library are informative only.
inline double GetDensity(const std::string& /*material*/)
{
    return 8600.0;
}

} // namespace vellicor
