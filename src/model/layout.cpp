#include "model/layout.h"

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/density.h"
#include "units/numeric.h"
#include "units/units.h"

#include <algorithm>

namespace vellicor {

double CLayoutSlit::SlitWidth() const
{
    return Rotated ? Part->Width : Part->Length;
}

bool CLayoutSlit::IsFiller() const
{
    return Part->Kind == KindFiller;
}

std::string CLayoutSlit::PartName() const
{
    return Part->Name;
}

CLayout::CLayout(CCoil* coil, CSlitPosList positions, double weight, double kerf)
    : Coil(coil), SlitPositions(std::move(positions)), Weight(weight), Kerf(kerf)
{
}

CLayout::CLayout(const CLayout& other) : Coil(other.Coil), Weight(other.Weight), Kerf(other.Kerf)
{
    SlitPositions.reserve(other.SlitPositions.size());
    for (const auto& slit : other.SlitPositions)
        SlitPositions.push_back(std::make_unique<CLayoutSlit>(*slit));
}

CLayout& CLayout::operator=(const CLayout& other)
{
    if (this != &other) {
        CLayout copy(other);
        *this = std::move(copy);
    }
    return *this;
}

double CLayout::UsedLength() const
{
    return Weight * 1e9 / (Coil->Width * Coil->Thickness * GetDensity(Coil->Material));
}

double CLayout::RestWidth() const
{
    double sum = 0.0;
    for (const auto& slit : SlitPositions)
        sum += slit->SlitWidth();
    return Coil->UsableWidth() - sum - static_cast<double>(SlitPositions.size()) * Kerf;
}

double CLayout::PartWeight() const
{
    double sum = 0.0;
    for (const auto& slit : SlitPositions)
        if (!slit->IsFiller())
            sum += slit->SlitWidth();
    return sum * Weight / Coil->Width;
}

double CLayout::FillerWeight() const
{
    double sum = 0.0;
    for (const auto& slit : SlitPositions)
        if (slit->IsFiller())
            sum += slit->SlitWidth();
    return sum * Weight / Coil->Width;
}

// A layout of no weight uses nothing: its utilisations are 0.
double CLayout::PartUtilisation() const
{
    return IsZero(Weight) ? 0.0 : PartWeight() / Weight;
}

double CLayout::FillerUtilisation() const
{
    return IsZero(Weight) ? 0.0 : FillerWeight() / Weight;
}

double CLayout::OverallUtilisation() const
{
    return IsZero(Weight) ? 0.0 : (PartWeight() + FillerWeight()) / Weight;
}

double CLayout::WeightOfPart(const CCoilPart* part) const
{
    double sum = 0.0;
    for (const auto& slit : SlitPositions)
        if (slit->Part == part)
            sum += slit->SlitWidth();
    return sum * Weight / Coil->Width;
}

double CLayout::SumOfSlitWidth(double w) const
{
    double sum = 0.0;
    for (const auto& slit : SlitPositions)
        if (IsEqual(slit->SlitWidth(), w))
            sum += slit->SlitWidth();
    return sum;
}

bool CLayout::UsesPart(const CCoilPart* part) const
{
    return std::any_of(SlitPositions.begin(), SlitPositions.end(),
                       [part](const auto& slit) { return slit->Part == part; });
}

void CLayout::ReplacePart(const CCoilPart* from, CCoilPart* to)
{
    for (auto& slit : SlitPositions)
        if (slit->Part == from)
            slit->Part = to;
}

void CLayout::SetWeightFromLength(double mm)
{
    Weight = Coil->Width * Coil->Thickness * GetDensity(Coil->Material) * mm * 1e-9;
}

std::string CLayout::WidthsText() const
{
    std::string text;
    for (const auto& slit : SlitPositions)
        text += "   " + FormatLength(slit->SlitWidth());
    return text;
}

std::string CLayout::DetailText() const
{
    std::string text;
    for (const auto& slit : SlitPositions) {
        text += slit->PartName();
        text += slit->Rotated ? "* " : " ";
        text += "[" + FormatLength(slit->SlitWidth()) + "]   ";
    }
    return text;
}

int CLayoutList::IndexOf(const CLayout* layout) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == layout)
            return static_cast<int>(i);
    return -1;
}

void CLayoutList::InsertAt(std::unique_ptr<CLayout> layout, int position)
{
    if (position < 0 || position >= GetCount())
        items_.push_back(std::move(layout));
    else
        items_.insert(items_.begin() + position, std::move(layout));
}

std::unique_ptr<CLayout> CLayoutList::Remove(const CLayout* layout)
{
    const int i = IndexOf(layout);
    if (i < 0)
        return nullptr;
    auto taken = std::move(items_[static_cast<std::size_t>(i)]);
    items_.erase(items_.begin() + i);
    return taken;
}

void CLayoutList::MoveUp(int k)
{
    if (k >= 1 && k < GetCount())
        std::swap(items_[static_cast<std::size_t>(k - 1)], items_[static_cast<std::size_t>(k)]);
}

void CLayoutList::MoveDown(int k)
{
    if (k >= 0 && k + 1 < GetCount())
        std::swap(items_[static_cast<std::size_t>(k)], items_[static_cast<std::size_t>(k + 1)]);
}

void CLayoutList::SortByWeight()
{
    // Stable, so that the order of layouts equal in both keys never depends on the sort.
    std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
        if (a->Weight != b->Weight)
            return a->Weight > b->Weight;
        return a->GetSlitCount() < b->GetSlitCount();
    });
}

double CLayoutList::TotalUsedLength() const
{
    double sum = 0.0;
    for (const auto& layout : items_)
        sum += layout->UsedLength();
    return sum;
}

double CLayoutList::TotalWeight() const
{
    double sum = 0.0;
    for (const auto& layout : items_)
        sum += layout->Weight;
    return sum;
}

double CLayoutList::TotalFillerWeight() const
{
    double sum = 0.0;
    for (const auto& layout : items_)
        sum += layout->FillerWeight();
    return sum;
}

double CLayoutList::ProducedWeight(const std::string& partName) const
{
    double total = 0.0;
    for (const auto& layout : items_) {
        double width = 0.0;
        for (const auto& slit : layout->SlitPositions)
            if (slit->PartName() == partName)
                width += slit->SlitWidth();
        total += width * layout->Weight / layout->Coil->Width;
    }
    return total;
}

} // namespace vellicor
