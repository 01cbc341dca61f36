#pragma once

#include "ui/pages/inputpage.h"

namespace vellicor {

// "Rolls": the job's stock coils, one coil per row. In length mode the user gives each coil's
// length and the page derives its weight at the nominal thickness; in weight mode the user gives
// weight and thickness and the page derives the length.
class CSStockPage : public CSInputPage {
    Q_OBJECT
public:
    static constexpr int Id = 131;
    static constexpr int TipId = 168;
    static constexpr int IdImportCsv = 1075;
    static constexpr int IdImportInventory = 1080;
    static constexpr int kMsgEmptyName = 181;
    static constexpr int kMsgZeroWidth = 182;
    static constexpr int kMsgDuplicateName = 183;
    static constexpr int kMsgLowLength = 197;
    static constexpr int kMsgAlreadyInJob = 262;
    // A coil shorter than this many times its width is flagged.
    static constexpr double kLowLengthFactor = 20.0;

    enum Col {
        ColName = 1, ColWidth, ColQty, ColMaterial, ColThickness, ColWeight, ColLength, ColCost, ColUsed,
        ColLeftTrim, ColRightTrim, ColRemarks,
    };

    CSStockPage(CVellicorDoc& doc, UiServices services, QWidget* parent = nullptr);

    // "Import Rolls from CSV file...": rows from a file the user picks, after the grid's rows.
    void ImportFromCsv();
    // "Import Rolls From Database...": rows from the inventory records the user picks; a record
    // whose id already names a row is left out and reported.
    void ImportFromInventory();

protected:
    void OnInitDialog() override;
    void LoadGrid() override;
    bool ValidateGrid() override;
    void StoreGrid() override;
    void RecomputeRow(int row) override;
    void OnRowAppended(int row) override;

private:
    bool IsLowLength(int row) const;
    // A row that storing turns into a coil.
    bool IsStored(int row) const;
};

} // namespace vellicor
