#pragma once

#include "inventory/records.h"

#include <cstdint>
#include <string>
#include <utility>

namespace vellicor::test {

// A stock record of 2500 mm whose name follows its id.
inline CsStockRec Stock(std::int32_t id, std::uint16_t type, std::uint16_t qty, double width = 1250.0,
                        std::string material = "steel")
{
    CsStockRec rec;
    rec.Id = id;
    rec.Type = type;
    rec.Name = "R" + std::to_string(id);
    rec.Qty = qty;
    rec.Length = 2500.0;
    rec.Width = width;
    rec.Material = std::move(material);
    return rec;
}

// A stocks-used line of order "A12" for the coil `id`.
inline CsStockUsedRec UsedLine(std::int32_t id, std::uint16_t qty)
{
    CsStockUsedRec rec;
    rec.Id = id;
    rec.OrderNo = "A12";
    rec.Qty = qty;
    rec.Material = "steel";
    rec.Length = 2500.0;
    rec.Width = 1250.0;
    rec.Thickness = 1.0;
    return rec;
}

} // namespace vellicor::test
