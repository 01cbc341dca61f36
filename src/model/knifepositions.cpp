#include "model/knifepositions.h"

#include "model/coil.h"
#include "model/layout.h"

namespace vellicor {

KnifeSetting KnifePositions(const CLayout& layout, const CCoil& coil)
{
    KnifeSetting setting;
    double position = coil.LeftTrim;
    for (const auto& slit : layout.SlitPositions) {
        if (setting.Positions.empty())
            setting.Positions.push_back(position);
        setting.Strips.push_back(slit->SlitWidth());
        position += slit->SlitWidth() + layout.Kerf;
        setting.Positions.push_back(position);
    }
    setting.Rest = coil.Width - coil.RightTrim - position;
    return setting;
}

} // namespace vellicor
