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

// The optimiser.
inline constexpr int OutOfMemoryInGroup = 61740;
inline constexpr int OutOfMemory = 61741;
inline constexpr int UnexpectedError = 61742;
inline constexpr int GroupNoCoilWideEnough = 61743;
inline constexpr int GroupTooManyWidths = 61744;
inline constexpr int GroupInfeasible = 61745;

// The check of a job as it comes in.
inline constexpr int JobDuplicateCoil = 61746;
inline constexpr int JobDuplicateRequirement = 61747;
inline constexpr int JobCoilRecord = 61750;
inline constexpr int JobPartRecord = 61751;
inline constexpr int JobSlitRecord = 61752;
inline constexpr int JobFillerRecord = 61753;
inline constexpr int JobSettingsRecord = 61754;
inline constexpr int JobRecord = 61755;
inline constexpr int JobLayoutRecord = 61756;
inline constexpr int JobNumberOutOfRange = 61757;
inline constexpr int JobNumberNotAbove0 = 61758;
inline constexpr int JobWholeOutOfRange = 61759;

// The knife sheet.
inline constexpr int KnifeSheetHeading = 61960;
inline constexpr int KnifeSheetCoil = 61961;
inline constexpr int KnifeSheetMaterial = 61962;
inline constexpr int KnifeSheetWidth = 61963;
inline constexpr int KnifeSheetThickness = 61964;
inline constexpr int KnifeSheetLeftTrim = 61965;
inline constexpr int KnifeSheetRightTrim = 61966;
inline constexpr int KnifeSheetKnifeCount = 61967;
inline constexpr int KnifeSheetRest = 61968;
inline constexpr int KnifeSheetWeight = 61969;
inline constexpr int KnifeSheetLength = 61970;
inline constexpr int KnifeSheetPositions = 61971;
inline constexpr int KnifeSheetKnife = 61972;
inline constexpr int KnifeSheetPosition = 61973;
inline constexpr int KnifeSheetStrip = 61974;
inline constexpr int KnifeSheetPart = 61975;

// The cut settings dialog.
inline constexpr int CutSettingOutOfRange = 61980;

// Files written for the planner to open elsewhere.
inline constexpr int ReportWrittenTo = 62000;
inline constexpr int HeaderWrittenTo = 62001;
inline constexpr int NoProgramOpens = 62002;

// The main window's title: the active job, then the program.
inline constexpr int MainTitle = 62003;
// The foot of a printed page.
inline constexpr int PageOfPages = 62010;
// A booking completed after an interruption.
inline constexpr int ChangedFileKeptAside = 62011;

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

// The inventory shared by several planners.
inline constexpr int InventoryInUse = 61900;
inline constexpr int DamagedFile = 61901;
inline constexpr int UnmatchedCoils = 61902;
inline constexpr int FileChangedSinceLoaded = 61903;
inline constexpr int JobChangedSinceLoaded = 61904;
inline constexpr int StockIdsExhausted = 61905;

// The inventory store.
inline constexpr int StoreChangedSinceLoaded = 61920;
inline constexpr int StoreConnectFailed = 61921;
inline constexpr int StoreWrongPassword = 61922;
inline constexpr int StoreConnectionLost = 61923;
inline constexpr int StoreNoSchema = 61924;
inline constexpr int StoreNewerSchema = 61925;
inline constexpr int StoreError = 61926;
inline constexpr int StoreBusy = 61927;
inline constexpr int StoreCaption = 61928;
inline constexpr int StoreStatus = 61929;

// Feedback to the planner.
inline constexpr int ThicknessNotKnown = 61940;
inline constexpr int InventoryZeroThickness = 61941;
inline constexpr int ClearStockUsedAsk = 61942;
inline constexpr int ExpressionSyntax = 61943;
inline constexpr int BookedResultAsk = 61944;
inline constexpr int CellNotNumber = 61945;
inline constexpr int CellNegative = 61946;
} // namespace ids

} // namespace vellicor
