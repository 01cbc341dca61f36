#pragma once

#include <QRect>

namespace vellicor {

class ISettingsStore;

// The main window's restored rectangle from section "WindowSizes": an X or Y above 1024 becomes 0,
// a CX or CY below 200 the default 792 or 590.
QRect LoadWindowRect(const ISettingsStore& store);
void SaveWindowRect(ISettingsStore& store, const QRect& rect);

} // namespace vellicor
