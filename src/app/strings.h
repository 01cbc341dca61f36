#pragma once

#include "ui/uitext.h"

namespace vellicor {

namespace ids {
inline constexpr int DocType = 129;
inline constexpr int AppTitle = 143;
inline constexpr int LanguagePackMissing = 164;
inline constexpr int AppName = 57344;
inline constexpr int StatusReady = 57345;
inline constexpr int SendMailFailed = 61712;
} // namespace ids

inline QString Text(int id)
{
    return UiText(id);
}

} // namespace vellicor
