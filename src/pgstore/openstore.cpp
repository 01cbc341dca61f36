#include "pgstore/openstore.h"

#include "inventory/inventory.h"
#include "pgstore/pginventorystore.h"
#include "pgstore/storeuri.h"
#include "platform/settingsstore.h"

namespace vellicor {

std::string StoreSetting(const ISettingsStore& settings)
{
    return settings.GetProfileString("Inventory", "Store", "");
}

OpenedStore OpenInventoryStore(const std::string& store, const std::string& dataDir, IUserMessages& messages)
{
    if (!IsPostgresUri(store))
        return {std::make_unique<CsInventory>(dataDir, messages), true};
    auto database = std::make_unique<PgInventoryStore>(store, messages);
    const bool ready = database->Open();
    return {std::move(database), ready};
}

} // namespace vellicor
