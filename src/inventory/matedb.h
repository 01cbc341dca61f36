#pragma once

#include "inventory/dbdoc.h"
#include "inventory/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vellicor {

class IUserMessages;

// The material code of the library row that cannot be deleted; compared without regard to case.
inline constexpr const char* kReservedMaterial = "NOT_USED";

// The material library, "slitmate.db".
class CsMateDb : public DbDoc {
public:
    // Stored and read back, nothing more.
    std::int32_t Value = -1;
    std::vector<CsMaterialRec> Records;

    // Every Code in library order, each followed by "\n": the choices of the Material drop-downs.
    std::string MaterialChoiceList() const;

protected:
    void Clear() override;
    void Write(ArchiveWriter& w) const override;
    bool Read(ArchiveReader& r) override;
};

// A few common strip materials and the reserved row, for a fresh installation.
std::vector<CsMaterialRec> StarterMaterials();

// Loads "slitmate.db" of `dataDir` into `library`; an absent file is first written with the
// starter materials. On failure the message has been shown and the library is empty.
bool LoadMaterialLibrary(CsMateDb& library, const std::string& dataDir, IUserMessages& messages);

} // namespace vellicor
