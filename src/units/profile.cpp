#include "units/profile.h"

#include "platform/settingsstore.h"
#include "units/numtext.h"

namespace vellicor {

double GetProfileDouble(const ISettingsStore& store, const std::string& section, const std::string& name,
                        double fallback, double min, double max)
{
    const double value = ParseDouble(store.GetProfileString(section, name, FormatFixed(fallback, 6)));
    return (value < min || value > max) ? fallback : value;
}

void WriteProfileDouble(ISettingsStore& store, const std::string& section, const std::string& name, double value)
{
    store.WriteString(section, name, FormatFixed(value, 6));
}

} // namespace vellicor
