#pragma once

namespace vellicor {

class IInventoryStore;

// Replaces the stock, log and library of `to` by those of `from`: inventory export and import. The
// result of inventory.h; failures are told by the stores.
int CopyInventory(IInventoryStore& from, IInventoryStore& to);

} // namespace vellicor
