#include "optimiser/optimiser.h"

#include "units/numeric.h"

#include <algorithm>
#include <cmath>

namespace vellicor {

bool CanTurn(const CCoilPart& part)
{
    return part.CanRotate() != 0; // never for a square
}

COptimiser::COptimiser(std::span<CCoil* const> coils, std::span<CCoilPart* const> parts,
                       std::span<CCoilPart* const> slits, std::span<CCoilPart* const> fillers,
                       const CSettings& settings, const CStopToken* stop)
    : stop_(stop)
{
    PrepareCoils(coils);
    PreparePartList(parts);
    PreparePartList(slits);
    WorkFillers.assign(fillers.begin(), fillers.end());
    Settings = settings;
    BuildTables();
}

void COptimiser::PrepareCoils(std::span<CCoil* const> rows)
{
    for (CCoil* row : rows) {
        // A row without usable width cuts nothing, and its negative usable weight would make the
        // whole group's program infeasible.
        if (row->Qty <= 0 || row->Width <= 0.0 || row->UsableWidth() <= 0.0)
            continue;
        auto same = std::find_if(WorkCoils.begin(), WorkCoils.end(), [row](const auto& work) {
            return work->Material == row->Material && IsEqual(work->UsableCostPerKg(), row->UsableCostPerKg()) &&
                   IsEqual(work->Thickness, row->Thickness) && IsEqual(work->UsableWidth(), row->UsableWidth());
        });
        if (same != WorkCoils.end()) {
            CCoil* work = same->get();
            work->WeightPerCoil = work->TotalWeight() + row->TotalWeight();
            CoilLinks.push_back({row, work, row->TotalWeight()});
            continue;
        }
        auto work = std::make_unique<CCoil>(*row);
        work->Qty = 1;
        work->WeightPerCoil = row->TotalWeight();
        CoilLinks.push_back({row, work.get(), row->TotalWeight()});
        WorkCoils.push_back(std::move(work));
    }
}

namespace {

// The pieces a row asks for, not held to the int range: a narrow slit of many kg has more than
// two thousand million of them.
double Pieces(const CCoilPart& row)
{
    if (row.Kind == KindPart)
        return std::trunc(row.Quantity);
    return std::ceil(row.RequiredWeight() / row.UnitWeight());
}

void MergeQuantity(CCoilPart& work, const CCoilPart& row)
{
    const double pieces = Pieces(work) + Pieces(row);
    work.Quantity = work.Kind == KindPart ? pieces : work.UnitWeight() * pieces;
}

} // namespace

bool COptimiser::CanFitSomeCoil(const CCoilPart& part) const
{
    return std::any_of(WorkCoils.begin(), WorkCoils.end(), [&part](const auto& coil) {
        if (coil->Material != part.Material || coil->Thickness != part.Thickness)
            return false;
        return coil->UsableWidth() >= part.Length || (part.CanRotate() != 0 && coil->UsableWidth() >= part.Width);
    });
}

void COptimiser::PreparePartList(std::span<CCoilPart* const> rows)
{
    for (CCoilPart* row : rows) {
        if (row->PieceCount() <= 0 || !CanFitSomeCoil(*row))
            continue;
        auto same = std::find_if(WorkParts.begin(), WorkParts.end(), [row](const auto& work) {
            return work->Material == row->Material && IsEqual(work->Thickness, row->Thickness) &&
                   IsEqual(work->Length, row->Length) && IsEqual(work->Width, row->Width) &&
                   CanTurn(*work) == CanTurn(*row);
        });
        if (same != WorkParts.end()) {
            MergeQuantity(**same, *row);
            PartLinks.push_back({row, same->get()});
            continue;
        }
        auto work = std::make_unique<CCoilPart>(*row);
        PartLinks.push_back({row, work.get()});
        WorkParts.push_back(std::move(work));
    }
}

void COptimiser::BuildTables()
{
    for (std::size_t i = 0; i < WorkCoils.size(); ++i) {
        const CCoil& coil = *WorkCoils[i];
        CoilInfos.push_back({static_cast<int>(i), coil.UsableWidth(), coil.UsableWeight(), coil.UsableCostPerKg()});
    }
    // Stable throughout: entries equal in every key keep the order in which they were made.
    std::stable_sort(CoilInfos.begin(), CoilInfos.end(), [](const CCoilInfo& a, const CCoilInfo& b) {
        if (a.UsableWidth != b.UsableWidth)
            return a.UsableWidth > b.UsableWidth;
        return a.UsableCost < b.UsableCost;
    });

    PartInfos.reserve(WorkParts.size());
    for (std::size_t i = 0; i < WorkParts.size(); ++i) {
        const CCoilPart& part = *WorkParts[i];
        PartInfos.push_back({static_cast<int>(i), part.Length, part.Width, static_cast<std::uint8_t>(CanTurn(part)),
                             InfoRequirement, part.RequiredWeight()});
    }
    FillerInfos.reserve(WorkFillers.size());
    for (std::size_t i = 0; i < WorkFillers.size(); ++i) {
        const CCoilPart& filler = *WorkFillers[i];
        FillerInfos.push_back({static_cast<int>(i), filler.Width, filler.Width, 0, InfoFiller, -1.0});
    }

    auto widestFirst = [](const CSlitWidth& a, const CSlitWidth& b) {
        if (a.Width != b.Width)
            return a.Width > b.Width;
        return a.Info->Amount < b.Info->Amount;
    };
    for (const CPartInfo& info : PartInfos) {
        Widths.push_back({info.Length, &info});
        if (info.CanTurn)
            Widths.push_back({info.Width, &info});
    }
    std::stable_sort(Widths.begin(), Widths.end(), widestFirst);
    for (const CPartInfo& info : FillerInfos)
        FillerWidths.push_back({info.Width, &info});
    std::stable_sort(FillerWidths.begin(), FillerWidths.end(), widestFirst);
}

} // namespace vellicor
