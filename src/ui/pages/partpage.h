#pragma once

#include "ui/pages/inputpage.h"

namespace vellicor {

// "Parts": the rectangular pieces the job wants by count, one per row. A part that no coil of its
// material and thickness can carry is shown light red.
class CSPartPage : public CSInputPage {
    Q_OBJECT
public:
    static constexpr int Id = 301;
    static constexpr int TipId = 169;
    static constexpr int IdAutoNames = 1063;
    static constexpr int IdImportCsv = 1064;
    static constexpr int IdNote = 1072;
    // Row tooltip in weight mode: the required weight.
    static constexpr int kTextRequiredWeight = 61830;

    enum Col {
        ColName = 1, ColLength, ColWidth, ColRotation, ColQty, ColMaterial, ColThickness, ColPriority, ColRemarks,
    };

    CSPartPage(CVellicorDoc& doc, UiServices services, QWidget* parent = nullptr);

    // "Auto Names...": names every row from the expression the user picks.
    void AutoNames();
    // The same without the dialog.
    void ApplyAutoNames(const QString& expression);
    // "Import Parts from Csv File...": parts from a file the user picks, after the grid's rows.
    void ImportFromCsv();

protected:
    void OnInitDialog() override;
    void LoadGrid() override;
    bool ValidateGrid() override;
    void StoreGrid() override;
    void OnRowAppended(int row) override;

private:
    bool IsStored(int row) const;
};

} // namespace vellicor
