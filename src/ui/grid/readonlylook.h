#pragma once

#include <QColor>

class QLineEdit;

namespace vellicor {

// The background of a field or cell that shows a value the planner cannot change: the colour it
// would have, a shade darker, so that row colours keep their meaning.
QColor ReadOnlyShade(const QColor& background);

// Makes the box read-only and gives it the read-only background.
void ShowReadOnly(QLineEdit& box);

} // namespace vellicor
