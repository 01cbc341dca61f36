#pragma once

#include <functional>
#include <string>

namespace vellicor {

class IInventoryStore;
class IInventoryDialogs;
class ISettingsStore;
class IUserMessages;

// What the job editor's windows need of the application: its settings and its message boxes, the
// stock inventory with its dialogs (null where a window is shown without them) and the material
// choices.
struct UiServices {
    ISettingsStore& settings;
    IUserMessages& messages;
    IInventoryStore* inventory = nullptr;
    IInventoryDialogs* inventoryDialogs = nullptr;
    // The material library's codes, each followed by "\n", as they are when a page loads.
    std::function<std::string()> materialChoices = {};
};

} // namespace vellicor
