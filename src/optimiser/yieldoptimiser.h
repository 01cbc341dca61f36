#pragma once

#include "optimiser/canonicalrows.h"
#include "optimiser/columngeneration.h"
#include "optimiser/mipmodel.h"
#include "optimiser/optimiser.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace vellicor {

class CStopToken;

// What the best-yield run of one group went through.
struct CYieldStats {
    // Coil weight, trims included, that no plan of the group can undercut.
    double LeastCoilWeight = 0.0;
    std::size_t ColumnsGenerated = 0;
    int Iterations = 0;
    bool Converged = false;
    std::size_t MipPatterns = 0;
    double MipGap = 0.0;
    double MipSeconds = 0.0;
    std::size_t Layouts = 0;
};

// The rows in their canonical order, held before the optimiser base is built from them.
struct CCanonicalGroup {
    CCanonicalGroup(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts, std::span<CCoilPart* const> slits,
                    std::span<CCoilPart* const> fillers)
        : CoilRows(CanonicalOrder(coils)), PartRows(CanonicalOrder(parts)), SlitRows(CanonicalOrder(slits)),
          FillerRows(fillers.begin(), fillers.end())
    {
    }
    std::vector<CCoil*> CoilRows;
    std::vector<CCoilPart*> PartRows;
    std::vector<CCoilPart*> SlitRows;
    // In the planner's order: it is the order in which they fill what is left.
    std::vector<CCoilPart*> FillerRows;
};

// The best-yield optimiser of one group: column generation over every fitting pattern for the
// least coil cost, then an integer plan over the patterns found in which every layout is at least
// the minimum pattern weight and no stock row is overdrawn.
class CYieldOptimiser : private CCanonicalGroup, public COptimiser {
public:
    CYieldOptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                    std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers, const CSettings& settings,
                    const CStopToken* stop = nullptr, std::function<void(double)> progress = {});

    // 1 with the layouts in Results; -1 when stopped, with no layouts.
    int Run() override;

    CYieldStats Stats;
    // The integer program of the plan as it was solved, for a look at what the solver faced.
    CMipModel PlanModel;

private:
    struct CMipColumn {
        std::size_t Pattern = 0; // into the offers
        std::size_t Link = 0;    // into CoilLinks
        int Weight = -1;         // the model's columns
        int Used = -1;
    };

    // A pattern offered to the integer plan, with its usable kg at the dive's end and in the first
    // linear optimum.
    struct COffer {
        CGeneratedColumn Pattern;
        double X = 0.0;
        double FirstX = 0.0;
    };

    std::vector<COffer> OfferPatterns(const CMasterSolution& master) const;
    // The minimum pattern weight in usable kg of a coil of CoilInfos.
    double LeastUsable(std::size_t coil) const;
    void MakeLayout(const CGeneratedColumn& column, const CCoilLink& link, double x);
    void AddFillers(std::vector<SlitPos>& positions, double usable, double total) const;
    void SplitToPartRows();

    const CStopToken* stop_;
    std::function<void(double)> progress_;
};

} // namespace vellicor
