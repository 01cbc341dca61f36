#pragma once

#include "inventory/records.h"

#include <string>
#include <string_view>
#include <vector>

namespace vellicor {

// The bytes of one line of "stkused.db" for `rec`, dated `day`: nine fields each followed by "|",
// then a line feed. A "|" or line break inside a text would split the line and becomes a blank.
std::string StockUsedLine(const CsStockUsedRec& rec, const OleDate& day);

// The records of the lines of "stkused.db", in file order. Blank lines and lines of fewer than nine
// fields are skipped; a day that cannot be read becomes an invalid date.
std::vector<CsStockUsedRec> ParseStockUsed(std::string_view bytes);

} // namespace vellicor
