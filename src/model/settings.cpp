#include "model/settings.h"

#include "model/coilpart.h"
#include "platform/settingsstore.h"
#include "units/profile.h"

namespace vellicor {

void CSettings::LoadDefaults(const ISettingsStore& store)
{
    const char* section = "SettingDef";
    auto readDouble = [&](const char* name, double& field) {
        field = GetProfileDouble(store, section, name, field, 0.0, UnlimitedQty);
    };
    readDouble("MinPatWt", MinPatWt);
    readDouble("CoilChangCost", CoilChangCost);
    readDouble("MinKnifeSettCost", MinKnifeSettCost);
    readDouble("Kerf", Kerf);
    readDouble("MinOffCut", MinOffCut);
    MaxKnives = store.GetProfileInt(section, "MaxKnives", MaxKnives);
    MaxDifSlits = store.GetProfileInt(section, "MaxDifSlits", MaxDifSlits);
    readDouble("MinCutWidth", MinCutWidth);
}

} // namespace vellicor
