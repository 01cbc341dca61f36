#include "optimiser/engine.h"

#include "platform/settingsstore.h"

namespace vellicor {

namespace {
constexpr const char* Section = "Optimiser";
constexpr const char* Value = "Engine";
} // namespace

EOptimiserEngine LoadEngine(const ISettingsStore& store)
{
    return ParseEngineName(store.GetProfileString(Section, Value, "")).value_or(EOptimiserEngine::Yield);
}

void SaveEngine(ISettingsStore& store, EOptimiserEngine engine)
{
    store.WriteString(Section, Value, EngineName(engine));
}

const char* EngineName(EOptimiserEngine engine)
{
    return engine == EOptimiserEngine::Compatible ? "compatible" : "yield";
}

std::optional<EOptimiserEngine> ParseEngineName(const std::string& name)
{
    if (name == "yield")
        return EOptimiserEngine::Yield;
    if (name == "compatible")
        return EOptimiserEngine::Compatible;
    return std::nullopt;
}

} // namespace vellicor
