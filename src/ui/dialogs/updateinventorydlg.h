#pragma once

#include "inventory/booking.h"
#include "ui/pages/resultservices.h"
#include "ui/uiservices.h"

#include <QDialog>

namespace vellicor {

class CSGridWnd;
class CVellicorDoc;
class IInventoryStore;
class CsMateDb;

// "Update Inventory...": the offcuts a job's result leaves, whose names, sizes and remarks the
// user may still correct. OK books the job in one go with saving it flagged: the coils used are
// deducted and logged, the offcuts added as new stock and used-up offcuts purged. Cancel, and a
// booking that was refused or failed, book nothing.
class CUpdateInventoryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 178;
    static constexpr int IdGrid = 1082;
    enum Column {
        ColId = 1, ColName, ColType, ColLength, ColWidth, ColQty, ColMaterial, ColThickness, ColCostPerKg,
        ColLeftTrim, ColRightTrim, ColDate, ColSel, ColOrderNo, ColRemarks,
    };

    CUpdateInventoryDlg(CVellicorDoc& doc, IInventoryStore& inventory, const CsMateDb& materials, UiServices services,
                        QWidget* parent = nullptr);

    CSGridWnd* Grid() const { return grid_; }
    const std::vector<CsStockRec>& UsedStock() const { return lists_.UsedStock; }
    const std::vector<CsStockRec>& Offcuts() const { return lists_.Offcuts; }

    // The booking; the dialog closes with OK only when the job was booked.
    void accept() override;

private:
    void FillGrid();
    void ReadBackOffcuts();

    CVellicorDoc& doc_;
    IInventoryStore& inventory_;
    CSGridWnd* grid_;
    BookingLists lists_;
};

// The Update Inventory command of a job: the checks, then the dialog. True when it was booked; the
// job is then marked as booked and saved.
bool UpdateInventory(CVellicorDoc& doc, UiServices services, const ResultServices& results, QWidget* parent);

} // namespace vellicor
