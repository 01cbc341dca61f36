#pragma once

#include "inventory/inventorydialogs.h"
#include "ui/uiservices.h"

class QWidget;

namespace vellicor {

class CsMateDb;

// The inventory dialog in its three modes, over `parent`; the Material column offers the codes
// the library holds when the dialog opens.
class CQtInventoryDialogs : public IInventoryDialogs {
public:
    CQtInventoryDialogs(UiServices services, const CsMateDb& materials, QWidget* parent = nullptr);

    void SetParent(QWidget* parent) { parent_ = parent; }
    // The store the edit mode names in its caption.
    void SetInventory(IInventoryStore* inventory) { services_.inventory = inventory; }

    bool EditInventory(CsStockDb& db) override;
    bool SelectStock(CsStockDb& db) override;
    void ViewStockUsed(const std::vector<CsStockUsedRec>& records, IInventoryStore& inventory) override;

private:
    UiServices services_;
    const CsMateDb& materials_;
    QWidget* parent_;
};

} // namespace vellicor
