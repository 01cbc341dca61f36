#pragma once

#include "inventory/inventorystore.h"

#include <memory>
#include <optional>
#include <string>

namespace vellicor::cli {

struct Context;

// Which inventory a command works on, before it is opened.
struct StoreChoice {
    // A PostgreSQL URI, or empty for the files of `dataDir`.
    std::string uri;
    std::string dataDir;
    bool valid = false;
};

// --data DIR, else --store URI (the command's or the global one), else the database that the
// settings store's "Inventory"/"Store" names, else the default data directory. Invalid, after the message or usage error
// (set in `status`), when the directory does not exist or both options were given.
StoreChoice ChooseStore(Context& ctx, const std::string& command, const std::optional<std::string>& data,
                        const std::optional<std::string>& store, int& status);

// Opens the chosen store; null after the message.
std::unique_ptr<IInventoryStore> OpenChosenStore(Context& ctx, const StoreChoice& choice);

} // namespace vellicor::cli
