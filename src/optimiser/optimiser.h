#pragma once

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "model/settings.h"
#include "optimiser/stoptoken.h"

#include <cstddef>
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

// How the run of one group ended; anything but Optimised yields no layout.
enum class EGroupOutcome { Optimised, NoCoilWideEnough, TooManyWidths, Infeasible, Stopped };

// Told by the optimiser of a group how far it is, on the thread that runs it.
class IGroupProgress {
public:
    virtual ~IGroupProgress() = default;
    // After each generation pass: the pass's number from 1 and the patterns found so far.
    virtual void Pass(int pass, std::size_t poolSize) = 0;
};

// The optimiser of one group of one material and thickness. Construction prepares the input:
// identical stock rows and requirement rows are merged into working records, and the flat tables
// of the pattern stages are built. The group's records stay the document's.
class COptimiser {
public:
    COptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts, std::span<CCoilPart* const> slits,
               std::span<CCoilPart* const> fillers, const CSettings& settings, const CStopToken* stop = nullptr);
    COptimiser(const COptimiser&) = delete;
    COptimiser& operator=(const COptimiser&) = delete;
    virtual ~COptimiser() = default;

    virtual int Run() = 0;

    // The planner asked to stop; a run that sees it ends with Outcome Stopped and no layout.
    bool StopRequested() const { return stop_ && stop_->StopRequested(); }
    const CStopToken* StopToken() const { return stop_; }

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
    EGroupOutcome Outcome = EGroupOutcome::Optimised;
    IGroupProgress* Progress = nullptr;

private:
    void PrepareCoils(std::span<CCoil* const> rows);
    void PreparePartList(std::span<CCoilPart* const> rows);
    void BuildTables();

    const CStopToken* stop_ = nullptr;
};

// The rotation flag that decides whether two requirement rows may merge and whether a requirement
// has a second width: a square cannot be turned.
bool CanTurn(const CCoilPart& part);

} // namespace vellicor
