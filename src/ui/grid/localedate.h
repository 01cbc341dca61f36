#pragma once

#include "inventory/oledate.h"

#include <QString>

namespace vellicor {

// A date and time as the user's locale writes it, always with a four-digit year and the seconds,
// so that reading back what is shown gives the same moment; a null date shows empty and an
// invalid one as string kInvalidDateText.
QString FormatLocaleDateTime(const OleDate& date);

// A date as the user's locale writes it, with or without the time of day; an invalid date when
// the text is none.
OleDate ParseLocaleDateTime(const QString& text);

inline constexpr int kInvalidDateText = 61802;

} // namespace vellicor
