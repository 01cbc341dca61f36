#pragma once

#include "platform/settingsstore.h"

#include <map>
#include <utility>
#include <variant>

namespace vellicor {

// Settings held in memory only: for tests, and for a run that must not touch the user's settings.
class MemorySettingsStore : public ISettingsStore {
public:
    using Value = std::variant<std::string, int>;
    using Key = std::pair<std::string, std::string>;

    std::optional<std::string> ReadString(const std::string& section, const std::string& name) const override;
    std::optional<int> ReadInt(const std::string& section, const std::string& name) const override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;

    const std::map<Key, Value>& Values() const { return values_; }

private:
    std::map<Key, Value> values_;
};

} // namespace vellicor
