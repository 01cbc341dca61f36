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
inline constexpr int CouldNotOptimise = 198;
inline constexpr int OptimiseStarting = 61713;
inline constexpr int OptimiseGroup = 61714;
inline constexpr int OptimiseCancel = 61715;
inline constexpr int OptimiseCancelled = 61716;
} // namespace ids

inline QString Text(int id)
{
    return UiText(id);
}

} // namespace vellicor
