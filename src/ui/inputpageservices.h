#pragma once

#include <functional>
#include <string>

namespace vellicor {

class CsInventory;
class IInventoryDialogs;

// What the Rolls, Slits and Parts pages take from the application besides UiServices.
struct InputPageServices {
    // The material library's codes, each followed by "\n", as they are when a page loads.
    std::function<std::string()> materialChoices;
    // The stock inventory and its dialogs for "Import Rolls From Database..."; the button is
    // disabled while either is missing.
    CsInventory* inventory = nullptr;
    IInventoryDialogs* inventoryDialogs = nullptr;
};

} // namespace vellicor
