#pragma once

#include <optional>
#include <string>

namespace vellicor {

class ISettingsStore;

// Which optimiser plans a job. "compatible" reproduces the plans of earlier versions; "yield" plans
// for the least coil cost.
enum class EOptimiserEngine { Yield, Compatible };

// The stored choice: section "Optimiser", value "Engine"; yield when missing or unknown.
EOptimiserEngine LoadEngine(const ISettingsStore& store);
void SaveEngine(ISettingsStore& store, EOptimiserEngine engine);

// "yield" or "compatible", as stored and as the command line takes it.
const char* EngineName(EOptimiserEngine engine);
std::optional<EOptimiserEngine> ParseEngineName(const std::string& name);

} // namespace vellicor
