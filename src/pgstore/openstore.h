#pragma once

#include "inventory/inventorystore.h"

#include <memory>
#include <string>

namespace vellicor {

class ISettingsStore;
class IUserMessages;

// The settings store's choice of inventory store: section "Inventory", value "Store".
std::string StoreSetting(const ISettingsStore& settings);

struct OpenedStore {
    std::unique_ptr<IInventoryStore> store;
    // False, after the message, when the database cannot be used; its operations try again.
    bool ready = false;
};

// The store that `store` names: a PostgreSQL URI, or empty for the files of `dataDir` (created and
// purged of used-up offcuts as the desktop application does at start-up).
OpenedStore OpenInventoryStore(const std::string& store, const std::string& dataDir, IUserMessages& messages);

} // namespace vellicor
