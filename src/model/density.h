#pragma once

#include <string>

namespace vellicor {

// kg/m³ for every weight-length conversion. One density serves every material: the densities of
// the material library are informative only.
inline double GetDensity(const std::string& /*material*/)
{
    return 8600.0;
}

// The weight in kg of a strip of the given width, thickness and length in mm.
inline double StripWeight(double width, double thickness, double length, const std::string& material)
{
    return GetDensity(material) * width * thickness * length * 1e-9;
}

// The length in mm of a strip of the given weight; not finite when the width or thickness is zero.
inline double StripLength(double weight, double width, double thickness, const std::string& material)
{
    return weight * 1e9 / (GetDensity(material) * width * thickness);
}

} // namespace vellicor
