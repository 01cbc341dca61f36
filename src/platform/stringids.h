#pragma once

namespace vellicor {

// Ids of texts that have no number of their own in the resources: the framework's standard
// messages and a few of the program's, numbered above the resource ranges.
namespace ids {
inline constexpr int UnexpectedFileFormat = 61700;
inline constexpr int FileNotFound = 61701;
inline constexpr int DiskFull = 61702;
inline constexpr int ReadAccessDenied = 61703;
inline constexpr int WriteAccessDenied = 61704;
inline constexpr int ReadError = 61705;
inline constexpr int WriteError = 61706;
inline constexpr int FailedToOpenDocument = 61707;
inline constexpr int FailedToSaveDocument = 61708;
inline constexpr int SaveChanges = 61709;
inline constexpr int CoilSheetEmpty = 61710;
inline constexpr int NothingToImport = 61711;
inline constexpr int JsonSyntax = 61720;
inline constexpr int JsonNotObject = 61721;
inline constexpr int JsonWrongFormat = 61722;
inline constexpr int JsonUnknownField = 61723;
inline constexpr int JsonNeedsText = 61724;
inline constexpr int JsonNeedsNumber = 61725;
inline constexpr int JsonNeedsInteger = 61726;
inline constexpr int JsonNeedsArray = 61727;
inline constexpr int JsonNeedsObject = 61728;
inline constexpr int JsonUnknownName = 61729;

// The knife sheet.
inline constexpr int KnifeSheetHeading = 61900;
inline constexpr int KnifeSheetCoil = 61901;
inline constexpr int KnifeSheetMaterial = 61902;
inline constexpr int KnifeSheetWidth = 61903;
inline constexpr int KnifeSheetThickness = 61904;
inline constexpr int KnifeSheetLeftTrim = 61905;
inline constexpr int KnifeSheetRightTrim = 61906;
inline constexpr int KnifeSheetKnifeCount = 61907;
inline constexpr int KnifeSheetRest = 61908;
inline constexpr int KnifeSheetWeight = 61909;
inline constexpr int KnifeSheetLength = 61910;
inline constexpr int KnifeSheetPositions = 61911;
inline constexpr int KnifeSheetKnife = 61912;
inline constexpr int KnifeSheetPosition = 61913;
inline constexpr int KnifeSheetStrip = 61914;
inline constexpr int KnifeSheetPart = 61915;

// The cut settings dialog.
inline constexpr int CutSettingOutOfRange = 61920;

// The layout drawing.
inline constexpr int LayoutLeftTrim = 61760;
inline constexpr int LayoutRightTrim = 61761;
inline constexpr int LayoutOffcut = 61762;
inline constexpr int LayoutScrap = 61763;
inline constexpr int LayoutKerf = 61764;
inline constexpr int LayoutOverflow = 61765;
inline constexpr int LayoutPart = 61766;
inline constexpr int LayoutSlit = 61767;
inline constexpr int LayoutFiller = 61768;
inline constexpr int LayoutRotated = 61769;
inline constexpr int LayoutWidth = 61770;

// The Results page and the pattern editor.
inline constexpr int ResultMovePattern = 61870;
inline constexpr int ResultPatternGroup = 61871;
inline constexpr int ResultChangeCost = 61872;
inline constexpr int PatternCoilsGroup = 61873;
inline constexpr int PatternRowTotals = 61874;
} // namespace ids

} // namespace vellicor
