#include "ui/grid/readonlylook.h"

#include <QLineEdit>
#include <QPalette>

namespace vellicor {

QColor ReadOnlyShade(const QColor& background)
{
    return background.darker(112);
}

void ShowReadOnly(QLineEdit& box)
{
    box.setReadOnly(true);
    QPalette palette = box.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Base, ReadOnlyShade(palette.color(group, QPalette::Base)));
    box.setPalette(palette);
}

} // namespace vellicor
