#include "model/coil.h"

#include "model/density.h"
#include "units/codepage.h"
#include "units/textutil.h"

namespace vellicor {

std::string NormaliseMaterial(const std::string& material)
{
    return ToLowerCp1252Letters(Trim(material));
}

CCoil::CCoil(std::string name, double width, const std::string& material, double thickness, double weightPerCoil,
             int qty, std::string remarks, double costPerKg, double leftTrim, double rightTrim)
    : Name(std::move(name)), Material(NormaliseMaterial(material)), Remarks(std::move(remarks)), Width(width),
      Thickness(thickness), WeightPerCoil(weightPerCoil), Qty(qty), CostPerKg(costPerKg), LeftTrim(leftTrim),
      RightTrim(rightTrim)
{
}

double CCoil::LengthPerCoil() const
{
    return WeightPerCoil * 1e9 / (Width * Thickness * GetDensity(Material));
}

} // namespace vellicor
