#pragma once

namespace vellicor {

class CsInventory;
class IInventoryDialogs;
class ISettingsStore;
class IUserMessages;

// What the job editor's windows need of the application: its settings and its message boxes, and
// the stock inventory with its dialogs (null where a window is shown without them).
struct UiServices {
    ISettingsStore& settings;
    IUserMessages& messages;
    CsInventory* inventory = nullptr;
    IInventoryDialogs* inventoryDialogs = nullptr;
};

} // namespace vellicor
