#pragma once

#include "inventory/records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellicor {

class CsStockDb;

// A coil count held at the limit of the files' 16-bit field instead of wrapping.
std::uint16_t SaturatedQty(long long qty);

struct Deduction {
    std::vector<CsStockRec> Deducted;
    // Used records with a stock id that found no record to take their coils from.
    std::vector<CsStockRec> Unmatched;
};

// Each used record with a stock id takes its coils from the first record with its Id and Material,
// equal Length and Width and enough coils left. Records without a stock id (0) did not come from
// the inventory and are passed over.
Deduction DeductUsed(CsStockDb& db, const std::vector<CsStockRec>& used);

// Gives each record the next free id and appends a copy. The next id lies beyond LastId and every
// id in the database, so an id is never handed out twice; false, and nothing changed, when the ids
// would run past the largest the file can hold.
bool AppendWithNewIds(CsStockDb& db, std::vector<CsStockRec>& stock);

// Gives the records without an id (0), in order, the next free ids as AppendWithNewIds does; false,
// and nothing changed, when the ids would run out.
bool GiveNewIds(CsStockDb& db);

// Removes the offcut records of which no coil is left; the number removed.
std::size_t PurgeEmptyOffcuts(CsStockDb& db);

// The log lines, dated `day`, of the used records whose id is in the database.
std::string StockUsedLines(const CsStockDb& db, const std::vector<CsStockUsedRec>& used, const OleDate& day);

} // namespace vellicor
