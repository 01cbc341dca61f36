#pragma once

#include "model/coil.h"
#include "model/coilpart.h"
#include "model/layout.h"
#include "model/settings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vellicor {

class ISettingsStore;

// One job: its stock, requirements, cut settings and result. Owns every record.
class CVellicorDoc {
public:
    // Empty job with the built-in cut settings.
    CVellicorDoc() = default;
    // Empty job whose cut settings take the stored defaults of `defaults`.
    explicit CVellicorDoc(const ISettingsStore& defaults) : Settings(defaults) {}
    CVellicorDoc(const CVellicorDoc&) = delete;
    CVellicorDoc& operator=(const CVellicorDoc&) = delete;
    ~CVellicorDoc();

    int AddCoil(std::unique_ptr<CCoil> coil);
    int GetCoilCount() const { return static_cast<int>(Coils.size()); }
    CCoil* GetCoil(int i) const { return Coils[static_cast<std::size_t>(i)].get(); }

    int AddPart(std::unique_ptr<CCoilPart> part);
    int GetPartCount() const { return static_cast<int>(Parts.size()); }
    CCoilPart* GetPart(int i) const { return Parts[static_cast<std::size_t>(i)].get(); }

    // Fillers (kind 3) go to Fillers, everything else to Slits; returns that array's new count.
    int AddSlit(std::unique_ptr<CCoilPart> slit);
    int GetSlitCount() const { return static_cast<int>(Slits.size()); }
    CCoilPart* GetSlit(int i) const { return Slits[static_cast<std::size_t>(i)].get(); }
    int GetFillerCount() const { return static_cast<int>(Fillers.size()); }
    CCoilPart* GetFiller(int i) const { return Fillers[static_cast<std::size_t>(i)].get(); }

    void DeleteAllCoils() { Coils.clear(); }
    void DeleteAllParts() { Parts.clear(); }
    void DeleteAllSlits() { Slits.clear(); }
    void DeleteAllFillers() { Fillers.clear(); }

    // The name is trimmed, then compared exactly. Parts, then slits, then fillers.
    CCoil* FindCoilByName(const std::string& name) const;
    CCoilPart* FindPartByName(const std::string& name) const;

    CSettings& GetSettings() { return Settings; }
    const CSettings& GetSettings() const { return Settings; }
    CLayoutList& GetLayouts() { return Layouts; }
    const CLayoutList& GetLayouts() const { return Layouts; }

    // Discards the result and marks the job modified.
    void ClearResults();
    bool HasResults() const { return !Layouts.IsEmpty(); }
    // totalWeight / LeastCoilWeight - 1, when the least possible weight is known.
    std::optional<double> AboveLeastPossible() const;
    double CoilWeightUsed(const std::string& coilName) const;
    // Some coil of the same material and exactly the same thickness, in stock, is wide enough.
    bool CanAnyCoilHold(const CCoilPart& part) const;

    // Appends to `used` one record per stock row the result runs on, with the number of coils it
    // starts, and to `offcuts` the unused length of each row's last coil and the rest-width strips
    // of the layouts that are at least MinOffCut wide. The document is not changed.
    void BuildStockConsumption(std::vector<std::unique_ptr<CCoil>>& used,
                               std::vector<std::unique_ptr<CCoil>>& offcuts) const;

    double PartsProducedWeight() const;
    double SlitsProducedWeight() const;
    double OverProducedWeight() const;
    double UnderProducedWeight() const;
    double PartUtilisation() const;
    double OverallUtilisation() const;

    // One row per part, then per slit: name, size text, required and over (a negative over is a
    // shortfall), in pieces and lengths when QtyByLength is set, else in kg.
    void BuildProductionTable(std::vector<std::string>& names, std::vector<std::string>& sizes,
                              std::vector<double>& required, std::vector<double>& over) const;

    // What the document framework keeps for a job.
    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path) { pathName_ = path; }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    std::vector<std::unique_ptr<CCoil>> Coils;
    std::vector<std::unique_ptr<CCoilPart>> Parts;
    std::vector<std::unique_ptr<CCoilPart>> Slits;
    std::vector<std::unique_ptr<CCoilPart>> Fillers;
    CSettings Settings;
    CLayoutList Layouts;
    // The least coil weight any plan of the job needs, in kg, as the last Optimise found it; not
    // part of the job file.
    std::optional<double> LeastCoilWeight;
    int QtyByLength = 1;
    int InventoryUpdated = 0;
    std::string OrderNo;

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
};

} // namespace vellicor
