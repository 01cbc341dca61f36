#pragma once

#include <string>

namespace vellicor {

// Trimmed and lower case, as material codes are kept.
std::string NormaliseMaterial(const std::string& material);

// The thickness of every record a job keeps in length mode, in mm; the job file relies on it.
inline constexpr double kNominalThickness = 1000.0;

// One kind of stock coil; identical coils are one record with a count.
class CCoil {
public:
    CCoil() = default;
    // Trims and lower-cases the material.
    CCoil(std::string name, double width, const std::string& material, double thickness, double weightPerCoil,
          int qty, std::string remarks, double costPerKg, double leftTrim, double rightTrim);

    double LengthPerCoil() const;
    double TrimTotal() const { return LeftTrim + RightTrim; }
    double UsableWidth() const { return Width - TrimTotal(); }
    double TotalWeight() const { return Qty * WeightPerCoil; }
    double UsableWeight() const { return TotalWeight() * UsableWidth() / Width; }
    double UsableCostPerKg() const { return CostPerKg * Width / UsableWidth(); }
    void SetQty(int qty) { Qty = qty; }
    void SetWeightPerCoil(double weight) { WeightPerCoil = weight; }

    std::string Name;
    std::string Material;
    std::string Remarks;
    double Width = 1.0;
    double Thickness = 1.0;
    double WeightPerCoil = 1.0;
    int Qty = 0;
    double CostPerKg = 1.0;
    double LeftTrim = 0.0;
    double RightTrim = 0.0;
    // What the user gave while Thickness holds the nominal one: kept for the session, never saved;
    // 0 when not known.
    double GivenThickness = 0.0;

    double RealThickness() const { return GivenThickness > 0 ? GivenThickness : Thickness; }
};

} // namespace vellicor
