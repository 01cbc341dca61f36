#include "app/windowrect.h"

#include "platform/settingsstore.h"

namespace vellicor {

QRect LoadWindowRect(const ISettingsStore& store)
{
    int x = store.GetProfileInt("WindowSizes", "X", 0);
    int y = store.GetProfileInt("WindowSizes", "Y", 0);
    int cx = store.GetProfileInt("WindowSizes", "CX", 792);
    int cy = store.GetProfileInt("WindowSizes", "CY", 590);
    if (x > 1024)
        x = 0;
    if (y > 1024)
        y = 0;
    if (cx < 200)
        cx = 792;
    if (cy < 200)
        cy = 590;
    return QRect(x, y, cx, cy);
}

void SaveWindowRect(ISettingsStore& store, const QRect& rect)
{
    store.WriteInt("WindowSizes", "X", rect.left());
    store.WriteInt("WindowSizes", "Y", rect.top());
    store.WriteInt("WindowSizes", "CX", rect.width());
    store.WriteInt("WindowSizes", "CY", rect.height());
}

} // namespace vellicor
