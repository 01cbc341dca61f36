#pragma once

#include <string>

namespace vellicor {

inline constexpr int KindPart = 1;
inline constexpr int KindSlit = 2;
inline constexpr int KindFiller = 3;
inline constexpr double UnlimitedQty = 9999999.0;

// One requirement of a job: a part wanted by count (kind 1), a slit wanted by weight (kind 2) or a
// filler that only uses up leftover width (kind 3).
class CCoilPart {
public:
    CCoilPart() = default;
    // A part (kind 1) of `count` pieces.
    CCoilPart(std::string name, const std::string& material, double thickness, double length, double width, int count,
              std::string remarks, int rotation, int priority);
    // A strip of width w wanted by weight q; a negative q makes it a filler.
    CCoilPart(std::string name, const std::string& material, double thickness, double w, double q,
              std::string remarks, int priority);

    double UnitWeight() const;
    double RequiredWeight() const;
    int PieceCount() const;
    double RequiredLength() const;
    int CanRotate() const;
    bool IsFiller() const { return Kind == KindFiller; }
    void SetQuantityFromCount(int n);

    std::string Name = " ";
    std::string Material = " ";
    double Thickness = 1.0;
    double Length = 1.0;
    double Width = 1.0;
    int Rotation = 1;
    int Priority = 0;
    std::string Remarks;
    int Kind = 0;
    double Quantity = 0.0;
    // As for a coil: what the user gave while Thickness holds the nominal one, for the session only.
    double GivenThickness = 0.0;

    double RealThickness() const { return GivenThickness > 0 ? GivenThickness : Thickness; }
};

} // namespace vellicor
