#include "inventory/matedb.h"

#include "model/archive.h"
#include "units/textutil.h"

namespace vellicor {
namespace {

constexpr std::size_t kMinRecordBytes = 1 + 1 + 4 * 4;

} // namespace

std::string CsMateDb::MaterialChoiceList() const
{
    std::string list;
    for (const auto& rec : Records)
        list += rec.Code + '\n';
    return list;
}

void CsMateDb::Clear()
{
    Value = -1;
    Records.clear();
}

void CsMateDb::Write(ArchiveWriter& w) const
{
    w.WriteInt(Value);
    w.WriteDword(static_cast<std::uint32_t>(Records.size()));
    for (const auto& rec : Records) {
        w.WriteString(rec.Name);
        w.WriteString(rec.Code);
        w.WriteFloat(rec.Density);
        w.WriteFloat(rec.CostPerKg);
        w.WriteFloat(rec.MinOffcutLength);
        w.WriteFloat(rec.MinOffcutWidth);
    }
}

bool CsMateDb::Read(ArchiveReader& r)
{
    std::uint32_t n = 0;
    if (!r.ReadInt(Value) || !r.ReadDword(n) || !r.Require(n, kMinRecordBytes))
        return false;
    Records.resize(n);
    for (auto& rec : Records)
        if (!r.ReadString(rec.Name) || !r.ReadString(rec.Code) || !r.ReadFloat(rec.Density)
            || !r.ReadFloat(rec.CostPerKg) || !r.ReadFloat(rec.MinOffcutLength) || !r.ReadFloat(rec.MinOffcutWidth))
            return false;
    return true;
}

std::vector<CsMaterialRec> StarterMaterials()
{
    return {
        {"Cold rolled steel", "crca", 7850.0f, 0.9f, 500.0f, 25.0f},
        {"Hot rolled pickled steel", "hrpo", 7850.0f, 0.75f, 500.0f, 30.0f},
        {"Galvanised steel", "gi", 7850.0f, 1.1f, 500.0f, 25.0f},
        {"Stainless steel 304", "ss304", 7930.0f, 3.2f, 300.0f, 20.0f},
        {"Aluminium 1050", "al1050", 2710.0f, 2.9f, 300.0f, 20.0f},
        {"Copper", "cu", 8940.0f, 9.5f, 200.0f, 15.0f},
        {"Brass", "brass", 8530.0f, 7.0f, 200.0f, 15.0f},
        {"Kraft paper", "kraft", 750.0f, 1.2f, 1000.0f, 50.0f},
        {"Not used", ToLowerAscii(kReservedMaterial), 7800.0f, 100.0f, 200.0f, 200.0f},
    };
}

bool LoadMaterialLibrary(CsMateDb& library, const std::string& dataDir, IUserMessages& messages)
{
    library.Records = StarterMaterials();
    return library.OpenOrCreate(dataDir + "/slitmate.db", messages);
}

} // namespace vellicor
