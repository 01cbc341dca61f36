#pragma once

#include <optional>
#include <string>

namespace vellicor {

// The application's per-user settings: string and integer values by section and value name, the
// layout of the registry key "Software\Quintal\Vellicor". Doubles are kept as text (see profile.h).
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& name) const = 0;
    virtual std::optional<int> ReadInt(const std::string& section, const std::string& name) const = 0;
    virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;

    std::string GetProfileString(const std::string& section, const std::string& name, const std::string& fallback) const;
    int GetProfileInt(const std::string& section, const std::string& name, int fallback) const;
};

} // namespace vellicor
