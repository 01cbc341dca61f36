#include "inventory/stockdb.h"

#include "model/archive.h"

namespace vellicor {
namespace {

// The fewest bytes a record takes: empty texts and every number.
constexpr std::size_t kMinRecordBytes = 4 + 2 + 1 + 4 * 8 + 2 + 1 + 2 * 8 + 4 + 8 + 1;

void WriteRecord(ArchiveWriter& w, const CsStockRec& rec)
{
    w.WriteInt(rec.Id);
    w.WriteWord(rec.Type);
    w.WriteString(rec.Name);
    w.WriteDouble(rec.Length);
    w.WriteDouble(rec.Width);
    w.WriteDouble(rec.Thickness);
    w.WriteDouble(rec.CostPerKg);
    w.WriteWord(rec.Qty);
    w.WriteString(rec.Material);
    w.WriteDouble(rec.LeftTrim);
    w.WriteDouble(rec.RightTrim);
    w.WriteInt(rec.Date.status);
    w.WriteDouble(rec.Date.value);
    w.WriteString(rec.Remarks);
}

bool ReadRecord(ArchiveReader& r, CsStockRec& rec)
{
    return r.ReadInt(rec.Id) && r.ReadWord(rec.Type) && r.ReadString(rec.Name) && r.ReadDouble(rec.Length)
        && r.ReadDouble(rec.Width) && r.ReadDouble(rec.Thickness) && r.ReadDouble(rec.CostPerKg)
        && r.ReadWord(rec.Qty) && r.ReadString(rec.Material) && r.ReadDouble(rec.LeftTrim)
        && r.ReadDouble(rec.RightTrim) && r.ReadInt(rec.Date.status) && r.ReadDouble(rec.Date.value)
        && r.ReadString(rec.Remarks);
}

} // namespace

void CsStockDb::Clear()
{
    Version = kStockDbVersion;
    LastId = 0;
    Records.clear();
}

void CsStockDb::Write(ArchiveWriter& w) const
{
    w.WriteWord(kStockDbVersion);
    w.WriteInt(LastId);
    w.WriteDword(static_cast<std::uint32_t>(Records.size()));
    for (const auto& rec : Records)
        WriteRecord(w, rec);
}

bool CsStockDb::Read(ArchiveReader& r)
{
    std::uint32_t n = 0;
    if (!r.ReadWord(Version) || !r.ReadInt(LastId) || !r.ReadDword(n) || !r.Require(n, kMinRecordBytes))
        return false;
    Records.resize(n);
    for (auto& rec : Records)
        if (!ReadRecord(r, rec))
            return false;
    return true;
}

} // namespace vellicor
