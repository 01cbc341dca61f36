#include "ui/dialogs/qtinventorydialogs.h"

#include "inventory/matedb.h"
#include "ui/dialogs/inventorydlg.h"

namespace vellicor {

CQtInventoryDialogs::CQtInventoryDialogs(UiServices services, const CsMateDb& materials, QWidget* parent)
    : services_(services), materials_(materials), parent_(parent)
{
}

bool CQtInventoryDialogs::EditInventory(CsStockDb& db)
{
    CsInventoryDlg dialog(db, CsInventoryDlg::Mode::Edit, materials_.MaterialChoiceList(), services_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtInventoryDialogs::SelectStock(CsStockDb& db)
{
    CsInventoryDlg dialog(db, CsInventoryDlg::Mode::Select, materials_.MaterialChoiceList(), services_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void CQtInventoryDialogs::ViewStockUsed(const std::vector<CsStockUsedRec>& records, IInventoryStore& inventory)
{
    CsInventoryDlg dialog(records, inventory, services_, parent_);
    dialog.exec();
}

} // namespace vellicor
