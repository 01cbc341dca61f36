#include "platform/memorysettingsstore.h"

#include "units/numtext.h"

namespace vellicor {

std::optional<std::string> MemorySettingsStore::ReadString(const std::string& section, const std::string& name) const
{
    auto it = values_.find({section, name});
    if (it == values_.end())
        return std::nullopt;
    if (const auto* s = std::get_if<std::string>(&it->second))
        return *s;
    return std::to_string(std::get<int>(it->second));
}

std::optional<int> MemorySettingsStore::ReadInt(const std::string& section, const std::string& name) const
{
    auto it = values_.find({section, name});
    if (it == values_.end())
        return std::nullopt;
    if (const auto* i = std::get_if<int>(&it->second))
        return *i;
    return ParseInt(std::get<std::string>(it->second));
}

void MemorySettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    values_[{section, name}] = value;
}

void MemorySettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    values_[{section, name}] = value;
}

} // namespace vellicor
