#pragma once

#include "inventory/dbdoc.h"
#include "inventory/records.h"

#include <cstdint>
#include <vector>

namespace vellicor {

// The version word stock.db starts with: the writing program's version, major × 100 + minor.
inline constexpr std::uint16_t kStockDbVersion = 218;

// The stock inventory, "stock.db".
class CsStockDb : public DbDoc {
public:
    // As read from the file; written as kStockDbVersion.
    std::uint16_t Version = kStockDbVersion;
    // The last id handed out.
    std::int32_t LastId = 0;
    std::vector<CsStockRec> Records;

protected:
    void Clear() override;
    void Write(ArchiveWriter& w) const override;
    bool Read(ArchiveReader& r) override;
};

} // namespace vellicor
