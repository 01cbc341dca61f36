#include "platform/settingsstore.h"

namespace vellicor {

std::string ISettingsStore::GetProfileString(const std::string& section, const std::string& name,
                                             const std::string& fallback) const
{
    return ReadString(section, name).value_or(fallback);
}

int ISettingsStore::GetProfileInt(const std::string& section, const std::string& name, int fallback) const
{
    return ReadInt(section, name).value_or(fallback);
}

} // namespace vellicor
