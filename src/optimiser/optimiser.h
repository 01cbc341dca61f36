#pragma once

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "model/settings.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vellicor {

// Which stock row of the group went into which working coil.
struct CCoilLink {
    CCoil* Row = nullptr;
    CCoil* Work = nullptr;
    // The row's total weight, drawn down while layouts are handed to rows.
    double Remaining = 0.0;
};

// Which part or slit row went into which working requirement.
struct CPartLink {
    CCoilPart* Row = nullptr;
    CCoilPart* Work = nullptr;
};

// A working coil as the pattern stages see it.
struct CCoilInfo {
    int Index = 0; // into WorkCoils
    double UsableWidth = 0.0;
    double UsableWeight = 0.0;
    double UsableCost = 0.0;
};

inline constexpr std::uint8_t InfoRequirement = 1;
inline constexpr std::uint8_t InfoFiller = 3;

// A working requirement or a filler as the pattern stages see it.
struct CPartInfo {
    int Index = 0; // into WorkParts, or into WorkFillers for a filler
    double Length = 0.0;
    double Width = 0.0;
    std::uint8_t CanTurn = 0;
    std::uint8_t InfoKind = InfoRequirement;
    double Amount = 0.0; // required kg; -1 for a filler
};

// One width at which a requirement or filler can be cut. A pattern refers to these by position, so
// the table's order is part of every pattern's identity.
struct CSlitWidth {
    double Width = 0.0;
    const CPartInfo* Info = nullptr;
};

// The optimiser of one group of one material and thickness. Construction prepares the input:
// identical stock rows and requirement rows are merged into working records, and the flat tables
// of the pattern stages are built. The group's records stay the document's.
class COptimiser {
public:
    COptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts, std::span<CCoilPart* const> slits,
               std::span<CCoilPart* const> fillers, const CSettings& settings);
    COptimiser(const COptimiser&) = delete;
    COptimiser& operator=(const COptimiser&) = delete;
    virtual ~COptimiser() = default;

    virtual int Run() = 0;

    // Some working coil of the same material and exactly the same thickness is wide enough, turned
    // if need be.
    bool CanFitSomeCoil(const CCoilPart& part) const;

    // The layouts of the group, on the document's records; the caller takes them after Run.
    CLayoutList Results;
    std::vector<std::unique_ptr<CCoil>> WorkCoils;
    std::vector<std::unique_ptr<CCoilPart>> WorkParts;
    std::vector<CCoilPart*> WorkFillers;
    std::vector<CCoilLink> CoilLinks;
    std::vector<CPartLink> PartLinks;
    CSettings Settings;
    // Widest usable width first, then cheapest.
    std::vector<CCoilInfo> CoilInfos;
    std::vector<CPartInfo> PartInfos;
    std::vector<CPartInfo> FillerInfos;
    // Widest first, then smallest amount; the filler widths are appended by the column stage.
    std::vector<CSlitWidth> Widths;
    std::vector<CSlitWidth> FillerWidths;

private:
    void PrepareCoils(std::span<CCoil* const> rows);
    void PreparePartList(std::span<CCoilPart* const> rows);
    void BuildTables();
};

// The rotation flag that decides whether two requirement rows may merge and whether a requirement
// has a second width: a square cannot be turned.
bool CanTurn(const CCoilPart& part);

} // namespace vellicor
