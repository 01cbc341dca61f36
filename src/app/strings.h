#pragma once

#include "platform/stringtable.h"

#include <QString>

namespace vellicor {

namespace ids {
inline constexpr int DocType = 129;
inline constexpr int AppTitle = 143;
inline constexpr int LanguagePackMissing = 164;
inline constexpr int AppName = 57344;
inline constexpr int StatusReady = 57345;
} // namespace ids

// A string-table text as a QString.
inline QString Text(int id)
{
    return QString::fromStdString(Strings().Text(id));
}

} // namespace vellicor
