#pragma once

#include <string>

namespace vellicor {

class ISettingsStore;

// A double kept as text ("%lf", six decimals) in the settings store. A missing value reads as
// `fallback`; a value below `min` or above `max` is replaced by `fallback`; text that does not
// start with a number reads as 0.
double GetProfileDouble(const ISettingsStore& store, const std::string& section, const std::string& name,
                        double fallback, double min, double max);
void WriteProfileDouble(ISettingsStore& store, const std::string& section, const std::string& name, double value);

} // namespace vellicor
