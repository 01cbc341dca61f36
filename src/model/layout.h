#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vellicor {

class CCoil;
class CCoilPart;

// One slit position across the coil. The part belongs to the document.
class CLayoutSlit {
public:
    CLayoutSlit() = default;
    CLayoutSlit(int rotated, CCoilPart* part) : Rotated(rotated), Part(part) {}

    // The part's Width when rotated, else its Length: the width it takes across the coil.
    double SlitWidth() const;
    bool IsFiller() const;
    std::string PartName() const;

    int Rotated = 0;
    CCoilPart* Part = nullptr;
};

using CSlitPosList = std::vector<std::unique_ptr<CLayoutSlit>>;

// One knife setting applied to one stock coil for a weight. Owns its slit positions; the coil and
// the parts belong to the document.
class CLayout {
public:
    CLayout() = default;
    CLayout(CCoil* coil, CSlitPosList positions, double weight, double kerf);
    CLayout(const CLayout& other);
    CLayout& operator=(const CLayout& other);
    CLayout(CLayout&&) noexcept = default;
    CLayout& operator=(CLayout&&) noexcept = default;
    ~CLayout() = default;

    CCoil* GetCoil() const { return Coil; }
    int GetSlitCount() const { return static_cast<int>(SlitPositions.size()); }
    CLayoutSlit* GetSlit(int i) const { return SlitPositions[static_cast<std::size_t>(i)].get(); }
    void AddSlit(std::unique_ptr<CLayoutSlit> slit) { SlitPositions.push_back(std::move(slit)); }

    double UsedLength() const;
    double RestWidth() const;
    double PartWeight() const;
    double FillerWeight() const;
    double PartUtilisation() const;
    double FillerUtilisation() const;
    double OverallUtilisation() const;
    double WeightOfPart(const CCoilPart* part) const;
    double SumOfSlitWidth(double w) const;
    bool UsesPart(const CCoilPart* part) const;
    void ReplacePart(const CCoilPart* from, CCoilPart* to);
    void AddWeight(double x) { Weight += x; }
    void SetWeightFromLength(double mm);
    std::string WidthsText() const;
    std::string DetailText() const;

    CCoil* Coil = nullptr;
    CSlitPosList SlitPositions;
    double Weight = 0.0;
    double Kerf = 0.0;
};

// The result: an ordered list that owns its layouts.
class CLayoutList {
public:
    int GetCount() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    CLayout* GetAt(int i) const { return items_[static_cast<std::size_t>(i)].get(); }
    int IndexOf(const CLayout* layout) const;

    void Add(std::unique_ptr<CLayout> layout) { items_.push_back(std::move(layout)); }
    // Before the layout at `position`; at the end when position is -1 or not below the count.
    void InsertAt(std::unique_ptr<CLayout> layout, int position);
    // Takes the layout out of the list without deleting it; empty when it is not in the list.
    std::unique_ptr<CLayout> Remove(const CLayout* layout);
    void MoveUp(int k);
    void MoveDown(int k);
    // Heaviest first; equal weights by ascending number of slit positions.
    void SortByWeight();
    void Clear() { items_.clear(); }

    double TotalUsedLength() const;
    double TotalWeight() const;
    double TotalFillerWeight() const;
    double ProducedWeight(const std::string& partName) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<CLayout>> items_;
};

} // namespace vellicor
