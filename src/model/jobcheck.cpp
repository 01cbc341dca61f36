#include "model/jobcheck.h"

#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "units/numtext.h"

#include <limits>
#include <set>

namespace vellicor {
namespace {

constexpr double kMaxThickness = 1000.0;
constexpr double kMinThickness = 0.001;
constexpr int kMax16 = 65535;
// More knives than any slitter has only lets narrow widths combine into ever longer patterns.
constexpr int kMaxKnives = 1000;

std::string Number(double x)
{
    return FormatNumber(x, 3);
}

// Checks the fields of one record in turn; the first failure is kept.
class CRecordCheck {
public:
    CRecordCheck(std::optional<CJobProblem>& problem, std::string record) : problem_(problem), record_(std::move(record))
    {
    }

    CRecordCheck& Range(const char* field, double value, double lo, double hi)
    {
        if (!problem_ && !(value >= lo && value <= hi))
            problem_ = CJobProblem{ids::JobNumberOutOfRange, {record_, field, Number(lo), Number(hi)}};
        return *this;
    }

    CRecordCheck& Above0(const char* field, double value, double hi)
    {
        if (!problem_ && !(value > 0.0 && value <= hi))
            problem_ = CJobProblem{ids::JobNumberNotAbove0, {record_, field, Number(hi)}};
        return *this;
    }

    CRecordCheck& Whole(const char* field, long long value, long long lo, long long hi)
    {
        if (!problem_ && (value < lo || value > hi))
            problem_ = CJobProblem{ids::JobWholeOutOfRange, {record_, field, std::to_string(lo), std::to_string(hi)}};
        return *this;
    }

private:
    std::optional<CJobProblem>& problem_;
    std::string record_;
};

void CheckRequirement(std::optional<CJobProblem>& problem, int kindId, const CCoilPart& p)
{
    CRecordCheck check(problem, Strings().Format(kindId, {p.Name}));
    check.Range("width", p.Width, MinJobWidth, MaxJobLength).Range("thickness", p.Thickness, kMinThickness, kMaxThickness);
    if (p.Kind == KindPart)
        check.Range("length", p.Length, MinJobWidth, MaxJobLength).Range("quantity", p.Quantity, 0.0, MaxJobAmount);
    else if (p.Kind == KindSlit)
        check.Range("quantity", p.Quantity, 0.0, MaxJobAmount);
    check.Whole("rotation", p.Rotation, 0, kMax16).Whole("priority", p.Priority, 0, kMax16);
}

} // namespace

std::optional<CJobProblem> CheckJob(const CVellicorDoc& doc)
{
    std::optional<CJobProblem> problem;
    std::set<std::string> coilNames;
    for (const auto& c : doc.Coils) {
        CRecordCheck(problem, Strings().Format(ids::JobCoilRecord, {c->Name}))
            .Range("width", c->Width, MinJobWidth, MaxJobLength)
            .Range("thickness", c->Thickness, kMinThickness, kMaxThickness)
            .Above0("weightPerCoil", c->WeightPerCoil, MaxJobAmount)
            .Whole("qty", c->Qty, 0, static_cast<long long>(MaxJobAmount))
            .Range("costPerKg", c->CostPerKg, 0.0, MaxJobAmount)
            .Range("leftTrim", c->LeftTrim, 0.0, MaxJobLength)
            .Range("rightTrim", c->RightTrim, 0.0, MaxJobLength);
        if (!problem && !coilNames.insert(c->Name).second)
            problem = CJobProblem{ids::JobDuplicateCoil, {c->Name}};
    }
    std::set<std::string> requirementNames;
    const std::pair<const std::vector<std::unique_ptr<CCoilPart>>*, int> lists[] = {
        {&doc.Parts, ids::JobPartRecord}, {&doc.Slits, ids::JobSlitRecord}, {&doc.Fillers, ids::JobFillerRecord}};
    for (const auto& [records, kindId] : lists) {
        for (const auto& p : *records) {
            CheckRequirement(problem, kindId, *p);
            if (!problem && !requirementNames.insert(p->Name).second)
                problem = CJobProblem{ids::JobDuplicateRequirement, {p->Name}};
        }
    }
    const CSettings& s = doc.Settings;
    CRecordCheck(problem, Strings().Text(ids::JobSettingsRecord))
        .Whole("maxKnives", s.MaxKnives, 0, kMaxKnives)
        .Whole("maxDifSlits", s.MaxDifSlits, 0, std::numeric_limits<int>::max())
        .Range("kerf", s.Kerf, 0.0, MaxJobLength)
        .Range("minOffCut", s.MinOffCut, 0.0, MaxJobLength)
        .Range("minPatWt", s.MinPatWt, 0.0, MaxJobAmount)
        .Range("coilChangCost", s.CoilChangCost, 0.0, MaxJobAmount)
        .Range("minKnifeSettCost", s.MinKnifeSettCost, 0.0, MaxJobAmount)
        .Range("minCutWidth", s.MinCutWidth, 0.0, MaxJobLength);
    CRecordCheck(problem, Strings().Text(ids::JobRecord))
        .Whole("qtyByLength", doc.QtyByLength, 0, kMax16)
        .Whole("inventoryUpdated", doc.InventoryUpdated, 0, kMax16)
        .Whole("layouts", doc.Layouts.GetCount(), 0, kMax16);
    int number = 0;
    for (const auto& layout : doc.Layouts)
        CRecordCheck(problem, Strings().Format(ids::JobLayoutRecord, {std::to_string(++number)}))
            .Range("weight", layout->Weight, 0.0, MaxJobAmount * MaxJobLength)
            .Whole("slits", layout->GetSlitCount(), 0, kMax16);
    return problem;
}

} // namespace vellicor
