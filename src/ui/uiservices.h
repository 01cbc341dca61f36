#pragma once

namespace vellicor {

class ISettingsStore;
class IUserMessages;

// What the job editor's windows need of the application: its settings and its message boxes.
struct UiServices {
    ISettingsStore& settings;
    IUserMessages& messages;
};

} // namespace vellicor
