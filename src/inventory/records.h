#pragma once

#include "inventory/oledate.h"

#include <cstdint>
#include <string>

namespace vellicor {

// One kind of coil in stock.
struct CsStockRec {
    enum Kind : std::uint16_t { Prime = 0, Offcut = 1 };

    // Handed out from the database's LastId; 0 for a coil that does not come from the inventory.
    std::int32_t Id = 0;
    std::uint16_t Type = Prime;
    std::string Name;
    double Length = 1.0;
    double Width = 1.0;
    double Thickness = 1.0;
    double CostPerKg = 1.0;
    std::uint16_t Qty = 0;
    std::string Material;
    std::string Remarks;
    double LeftTrim = 0.0;
    double RightTrim = 0.0;
    OleDate Date = OleDateNow();
    // The pick mark of the selection dialog; never stored.
    std::int32_t Sel = 0;
};

// One line of the stocks-used log: coils of one stock record consumed by a job.
struct CsStockUsedRec {
    std::int32_t Id = 0;
    std::string OrderNo;
    std::uint16_t Qty = 0;
    // In memory the stock record's date; in the log the day the line was written.
    OleDate Date;
    std::string Spare;
    std::string Material;
    double Length = 0.0;
    double Width = 0.0;
    double Thickness = 0.0;
};

// One material of the material library.
struct CsMaterialRec {
    std::string Name;
    // Lower case; what jobs and stock records refer to.
    std::string Code;
    // kg/m³, kept for the user's reference.
    float Density = 7800.0f;
    float CostPerKg = 100.0f;
    float MinOffcutLength = 200.0f;
    float MinOffcutWidth = 200.0f;
};

} // namespace vellicor
