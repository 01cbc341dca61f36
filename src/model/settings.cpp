#include "model/settings.h"

#include "platform/settingsstore.h"
#include "units/profile.h"

namespace vellicor {

namespace {
constexpr const char* kSection = "SettingDef";
} // namespace

void CSettings::LoadDefaults(const ISettingsStore& store)
{
    auto readDouble = [&](const char* name, double& field) {
        field = GetProfileDouble(store, kSection, name, field, kSettingMin, kSettingMax);
    };
    readDouble("MinPatWt", MinPatWt);
    readDouble("CoilChangCost", CoilChangCost);
    readDouble("MinKnifeSettCost", MinKnifeSettCost);
    readDouble("Kerf", Kerf);
    readDouble("MinOffCut", MinOffCut);
    MaxKnives = store.GetProfileInt(kSection, "MaxKnives", MaxKnives);
    MaxDifSlits = store.GetProfileInt(kSection, "MaxDifSlits", MaxDifSlits);
    readDouble("MinCutWidth", MinCutWidth);
}

void CSettings::SaveDefaults(ISettingsStore& store) const
{
    WriteProfileDouble(store, kSection, "MinPatWt", MinPatWt);
    WriteProfileDouble(store, kSection, "CoilChangCost", CoilChangCost);
    WriteProfileDouble(store, kSection, "MinKnifeSettCost", MinKnifeSettCost);
    WriteProfileDouble(store, kSection, "Kerf", Kerf);
    WriteProfileDouble(store, kSection, "MinOffCut", MinOffCut);
    store.WriteInt(kSection, "MaxKnives", MaxKnives);
    store.WriteInt(kSection, "MaxDifSlits", MaxDifSlits);
    WriteProfileDouble(store, kSection, "MinCutWidth", MinCutWidth);
}

} // namespace vellicor
