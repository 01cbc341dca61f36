#pragma once

#include "platform/memorysettingsstore.h"
#include "support/recordingmessages.h"
#include "ui/uiservices.h"
#include "units/units.h"

namespace vellicor::test {

// What a window under test is given: settings in memory and recorded message boxes.
struct UiFixture {
    MemorySettingsStore store;
    RecordingMessages messages;

    UiServices Services() { return {store, messages}; }
    // Before each test: empty settings, no messages, the default units.
    void Reset()
    {
        store = MemorySettingsStore();
        messages = {};
        SetUnitSettings(UnitSettings{});
    }
};

} // namespace vellicor::test
