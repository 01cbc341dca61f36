#pragma once

#include "inventory/records.h"
#include "ui/dialogs/boldfontdlg.h"
#include "ui/uiservices.h"

#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;

namespace vellicor {

class IInventoryStore;
class CsStockDb;
class CSGridWnd;

// The stock inventory in a grid, in one of three modes: editing the whole inventory (with the
// import of a CSV file in its place), picking stock for a job in the "Sel" column, or viewing the
// stocks-used log (with the button that empties it).
class CsInventoryDlg : public CBoldFontDlg {
    Q_OBJECT
public:
    static constexpr int Id = 176;
    static constexpr int IdClearStockUsed = 1078;
    static constexpr int IdImportCsv = 1079;
    static constexpr int kMsgOverwriteInventory = 261;

    enum class Mode : char { Edit = 'E', Select = 'S', StocksUsed = 'D' };

    // Grid columns.
    enum Col {
        ColId = 1, ColName, ColType, ColLength, ColWidth, ColQty, ColMaterial, ColThickness, ColCostPerKg,
        ColLeftTrim, ColRightTrim, ColDate, ColSel, ColOrderNo, ColRemarks,
    };

    // Edit or selection mode on `db`, which OK rewrites from the grid; `materials` are the choices
    // of the Material column, each followed by "\n".
    CsInventoryDlg(CsStockDb& db, Mode mode, const std::string& materials, UiServices services,
                   QWidget* parent = nullptr);
    // Stocks-used mode: shows `used`; the clear button empties the log of `inventory`.
    CsInventoryDlg(std::vector<CsStockUsedRec> used, IInventoryStore& inventory, UiServices services,
                   QWidget* parent = nullptr);

    Mode GetMode() const { return mode_; }
    CSGridWnd* Grid() const { return grid_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    QPushButton* ClearStockUsedButton() const { return clear_; }
    QPushButton* ImportCsvButton() const { return import_; }

    // Replaces the inventory by the rows of a CSV `file` through the CSV import dialog, with ids
    // from 1; false when the user cancelled that dialog.
    bool ImportCsvFile(const QString& file);

    // OK: in edit and selection mode the database takes the grid's rows.
    void accept() override;

private:
    CsInventoryDlg(Mode mode, UiServices services, QWidget* parent);
    void SetUp(const std::string& materials);
    void FillFromDb();
    void FillFromStockUsed();
    void StoreToDb();
    // Every row to be stored has a thickness; the first that has none is told and made current.
    bool HasThicknesses();
    void OnImportCsv();
    void OnClearStockUsed();

    Mode mode_;
    UiServices services_;
    CsStockDb* db_ = nullptr;
    std::vector<CsStockUsedRec> used_;
    IInventoryStore* inventory_ = nullptr;
    CSGridWnd* grid_;
    QDialogButtonBox* buttons_;
    QPushButton* clear_;
    QPushButton* import_;
};

} // namespace vellicor
