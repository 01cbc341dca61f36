#include "model/coilpart.h"

#include "model/coil.h"
#include "model/density.h"
#include "units/numeric.h"

#include <cmath>

namespace vellicor {

CCoilPart::CCoilPart(std::string name, const std::string& material, double thickness, double length, double width,
                     int count, std::string remarks, int rotation, int priority)
    : Name(std::move(name)), Material(NormaliseMaterial(material)), Thickness(thickness), Length(length),
      Width(width), Rotation(rotation), Priority(priority), Remarks(std::move(remarks)), Kind(KindPart),
      Quantity(count)
{
}

CCoilPart::CCoilPart(std::string name, const std::string& material, double thickness, double w, double q,
                     std::string remarks, int priority)
    : Name(std::move(name)), Material(NormaliseMaterial(material)), Thickness(thickness), Length(w), Width(w),
      Rotation(0), Priority(priority), Remarks(std::move(remarks)), Kind(q < 0 ? KindFiller : KindSlit),
      Quantity(q < 0 ? UnlimitedQty : q)
{
}

double CCoilPart::UnitWeight() const
{
    return GetDensity(Material) * Length * Width * Thickness * 1e-9;
}

int CCoilPart::PieceCount() const
{
    if (Kind == KindPart)
        return TruncToInt(Quantity);
    return TruncToInt(std::ceil(RequiredWeight() / UnitWeight()));
}

double CCoilPart::RequiredWeight() const
{
    if (Kind == KindPart)
        return PieceCount() * UnitWeight();
    return Quantity;
}

double CCoilPart::RequiredLength() const
{
    return RequiredWeight() * 1e9 / (Width * Thickness * GetDensity(Material));
}

int CCoilPart::CanRotate() const
{
    if (Rotation && IsEqual(Length, Width))
        return 0;
    return Rotation;
}

void CCoilPart::SetQuantityFromCount(int n)
{
    if (Kind == KindPart)
        Quantity = n;
    else if (Kind == KindSlit || Kind == KindFiller)
        Quantity = UnitWeight() * n;
}

} // namespace vellicor
