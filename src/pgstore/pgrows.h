#pragma once

#include "inventory/records.h"
#include "pgstore/pgconnection.h"

#include <string>

namespace vellicor {

// The columns of vellicor.stock in the order of StockParams and StockFromRow.
inline constexpr const char* kStockColumns =
    "id, type, name, length, width, thickness, cost_per_kg, qty, material, remarks, left_trim, right_trim, "
    "date_status, date_days";
inline constexpr int kStockColumnCount = 14;

PgParams StockParams(const CsStockRec& rec);
// The record in columns first .. first + kStockColumnCount - 1 of `row`.
CsStockRec StockFromRow(const PgResult& result, int row, int first);

inline constexpr const char* kStockUsedColumns =
    "stock_id, order_no, qty, used_on - date '1899-12-30', spare, material, length, width, thickness";
inline constexpr const char* kStockUsedInsert =
    "INSERT INTO vellicor.stock_used (stock_id, order_no, qty, used_on, spare, material, length, width, thickness) "
    "VALUES ($1, $2, $3, date '1899-12-30' + $4::integer, $5, $6, $7, $8, $9)";

// The line's date is `day`, a whole day or an invalid date (NULL).
PgParams StockUsedParams(const CsStockUsedRec& rec, const OleDate& day);
CsStockUsedRec StockUsedFromRow(const PgResult& result, int row);

inline constexpr const char* kMaterialColumns =
    "name, code, density, cost_per_kg, min_offcut_length, min_offcut_width";

PgParams MaterialParams(int position, const CsMaterialRec& rec);
CsMaterialRec MaterialFromRow(const PgResult& result, int row);

} // namespace vellicor
