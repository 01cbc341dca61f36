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
inline constexpr int OptimisePass = 61717;
inline constexpr int DidYouKnow = 108;
inline constexpr int TipsFileMissing = 109;
inline constexpr int TipsFileTrouble = 110;
inline constexpr int SupportPage = 144;
inline constexpr int ProductWebsite = 145;
inline constexpr int DownloadPage = 146;
inline constexpr int OrderPage = 147;
inline constexpr int TipsFileEmpty = 61790;
inline constexpr int HyperlinkFailed = 61791;
inline constexpr int LinkFileNotFound = 61792;
inline constexpr int LinkBadAssociation = 61793;
inline constexpr int LinkNoAssociation = 61794;
inline constexpr int HelpTitle = 61795;
inline constexpr int HelpBack = 61796;
inline constexpr int HelpForward = 61797;
inline constexpr int HelpContentsButton = 61798;
inline constexpr int HelpMissing = 61799;
} // namespace ids

inline QString Text(int id)
{
    return UiText(id);
}

} // namespace vellicor
