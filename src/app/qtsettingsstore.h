#pragma once

#include "platform/settingsstore.h"

class QSettings;

namespace vellicor {

// The settings store on QSettings: section/name keys under organisation "Quintal", application
// "Vellicor" (the registry key "Software\Quintal\Vellicor" on Windows).
class QtSettingsStore : public ISettingsStore {
public:
    explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}

    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    std::optional<int> ReadInt(const std::string& section, const std::string& name) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;

private:
    QSettings& settings_;
};

} // namespace vellicor
