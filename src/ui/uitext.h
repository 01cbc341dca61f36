#pragma once

#include "platform/stringtable.h"

#include <QString>

namespace vellicor {

// A string-table text as a QString.
inline QString UiText(int id)
{
    return QString::fromStdString(Strings().Text(id));
}

// Dialog texts live in the string table too, so that a language pack can translate them: the
// caption of dialog d at DialogTextId(d), the text of its control c at DialogTextId(d, c).
constexpr int DialogTextId(int dialog, int control = 0)
{
    return 10'000'000 + dialog * 10'000 + control;
}

// The text of item `item` (counted from 1, separators not counted) of pop-up menu `menu`.
constexpr int MenuItemTextId(int menu, int item)
{
    return 20'000'000 + menu * 100 + item;
}

// Control ids of the two standard buttons.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

} // namespace vellicor
