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
} // namespace ids

} // namespace vellicor
