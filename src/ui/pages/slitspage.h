#pragma once

#include "ui/pages/inputpage.h"

namespace vellicor {

// "Slits": the strips the job wants, by required weight (weight mode) or required length (length
// mode), one per row. A row with a negative requirement is a filler, which only uses up leftover
// width: the job's fillers follow its slits on this page, with -1 as their requirement and their
// position in "Position", so they are edited and deleted where they were entered.
class CSSlitsPage : public CSInputPage {
    Q_OBJECT
public:
    static constexpr int Id = 304;
    static constexpr int TipId = 170;
    static constexpr int IdImportCsv = 1064;
    static constexpr int kMsgLowLength = 196;
    // A slit whose required length is shorter than this many times its width is flagged.
    static constexpr double kLowLengthFactor = 50.0;

    enum Col {
        ColName = 1, ColWidth, ColMaterial, ColThickness, ColReqWeight, ColReqLength, ColPriority, ColPosition,
        ColRemarks,
    };

    CSSlitsPage(CVellicorDoc& doc, UiServices services, QWidget* parent = nullptr);

    // "Import Parts from Csv File...": slits from a file the user picks, after the grid's rows.
    void ImportFromCsv();

protected:
    void OnInitDialog() override;
    void LoadGrid() override;
    bool ValidateGrid() override;
    void StoreGrid() override;
    void RecomputeRow(int row) override;
    void OnRowAppended(int row) override;

private:
    // The required weight storing gives the row: negative for a filler.
    double RequiredWeight(int row) const;
    bool IsLowLength(int row) const;
    bool IsStored(int row) const;
};

} // namespace vellicor
