#include "model/vellicordoc.h"

#include "model/density.h"
#include "units/numeric.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <cmath>

namespace vellicor {

CVellicorDoc::~CVellicorDoc()
{
    // Layouts point into the arrays: the records go first as the framework did, then the layouts,
    // which never look at their coil or parts when destroyed.
    Coils.clear();
    Parts.clear();
    Slits.clear();
    Fillers.clear();
    Layouts.Clear();
}

int CVellicorDoc::AddCoil(std::unique_ptr<CCoil> coil)
{
    Coils.push_back(std::move(coil));
    return GetCoilCount();
}

int CVellicorDoc::AddPart(std::unique_ptr<CCoilPart> part)
{
    Parts.push_back(std::move(part));
    return GetPartCount();
}

int CVellicorDoc::AddSlit(std::unique_ptr<CCoilPart> slit)
{
    if (slit->Kind == KindFiller) {
        Fillers.push_back(std::move(slit));
        return GetFillerCount();
    }
    Slits.push_back(std::move(slit));
    return GetSlitCount();
}

CCoil* CVellicorDoc::FindCoilByName(const std::string& name) const
{
    const std::string key = Trim(name);
    for (const auto& coil : Coils)
        if (coil->Name == key)
            return coil.get();
    return nullptr;
}

CCoilPart* CVellicorDoc::FindPartByName(const std::string& name) const
{
    const std::string key = Trim(name);
    for (const auto* array : {&Parts, &Slits, &Fillers})
        for (const auto& part : *array)
            if (part->Name == key)
                return part.get();
    return nullptr;
}

void CVellicorDoc::ClearResults()
{
    Layouts.Clear();
    LeastCoilWeight.reset();
    SetModifiedFlag();
}

std::optional<double> CVellicorDoc::AboveLeastPossible() const
{
    if (!LeastCoilWeight || *LeastCoilWeight <= 0.0 || Layouts.IsEmpty())
        return std::nullopt;
    return Layouts.TotalWeight() / *LeastCoilWeight - 1.0;
}

double CVellicorDoc::CoilWeightUsed(const std::string& coilName) const
{
    double sum = 0.0;
    for (const auto& layout : Layouts)
        if (layout->Coil->Name == coilName)
            sum += layout->Weight;
    return sum;
}

bool CVellicorDoc::CanAnyCoilHold(const CCoilPart& part) const
{
    for (const auto& coil : Coils) {
        if (coil->Material != part.Material || coil->Thickness != part.Thickness || coil->Qty <= 0)
            continue;
        if (coil->UsableWidth() >= part.Length || (part.CanRotate() && coil->UsableWidth() >= part.Width))
            return true;
    }
    return false;
}

double CVellicorDoc::PartsProducedWeight() const
{
    double sum = 0.0;
    for (const auto& part : Parts)
        sum += std::min(Layouts.ProducedWeight(part->Name), part->RequiredWeight());
    return sum;
}

double CVellicorDoc::SlitsProducedWeight() const
{
    double sum = 0.0;
    for (const auto& slit : Slits)
        sum += std::min(Layouts.ProducedWeight(slit->Name), slit->RequiredWeight());
    return sum;
}

double CVellicorDoc::OverProducedWeight() const
{
    double sum = 0.0;
    for (const auto* array : {&Parts, &Slits})
        for (const auto& part : *array) {
            const double d = Layouts.ProducedWeight(part->Name) - part->RequiredWeight();
            if (d > 0)
                sum += d;
        }
    return sum;
}

double CVellicorDoc::UnderProducedWeight() const
{
    double sum = 0.0;
    for (const auto* array : {&Parts, &Slits})
        for (const auto& part : *array) {
            const double d = Layouts.ProducedWeight(part->Name) - part->RequiredWeight();
            if (d < 0)
                sum -= d;
        }
    return sum;
}

// Without a result nothing is used: both utilisations are 0 rather than 0/0.
double CVellicorDoc::PartUtilisation() const
{
    const double total = Layouts.TotalWeight();
    return IsZero(total) ? 0.0 : (PartsProducedWeight() + SlitsProducedWeight()) / total;
}

double CVellicorDoc::OverallUtilisation() const
{
    const double total = Layouts.TotalWeight();
    return IsZero(total) ? 0.0
                         : (PartsProducedWeight() + SlitsProducedWeight() + Layouts.TotalFillerWeight()) / total;
}

void CVellicorDoc::BuildProductionTable(std::vector<std::string>& names, std::vector<std::string>& sizes,
                                        std::vector<double>& required, std::vector<double>& over) const
{
    names.clear();
    sizes.clear();
    required.clear();
    over.clear();
    if (Parts.empty() && Slits.empty())
        return;
    const bool lengthMode = QtyByLength != 0;
    for (const auto& part : Parts) {
        const double produced = Layouts.ProducedWeight(part->Name);
        names.push_back(part->Name);
        sizes.push_back("[" + FormatNumber(part->Length, 1) + " X " + FormatNumber(part->Width, 1) + "]");
        if (lengthMode) {
            const double rho = GetDensity(part->Material);
            const double pieces = (produced * 1e9 / (part->Thickness * rho)) / (part->Length * part->Width);
            required.push_back(part->PieceCount());
            over.push_back(std::trunc(pieces - part->PieceCount()));
        } else {
            required.push_back(part->RequiredWeight());
            over.push_back(produced - part->RequiredWeight());
        }
    }
    for (const auto& slit : Slits) {
        const double produced = Layouts.ProducedWeight(slit->Name);
        names.push_back(slit->Name);
        sizes.push_back("[" + FormatNumber(slit->Length, 1) + "]");
        if (lengthMode) {
            const double rho = GetDensity(slit->Material);
            required.push_back(LengthToUnit(slit->RequiredLength()));
            over.push_back(LengthToUnit(produced * 1e9 / (slit->Thickness * rho * slit->Width) - slit->RequiredLength()));
        } else {
            required.push_back(slit->RequiredWeight());
            over.push_back(produced - slit->RequiredWeight());
        }
    }
}

} // namespace vellicor
