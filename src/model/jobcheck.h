#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellicor {

class CVellicorDoc;

// A field of a job that cannot be used as it is: a message id and its arguments, which name the
// record and the field.
struct CJobProblem {
    int MessageId = 0;
    std::vector<std::string> Args;
};

// The one check of a job before anything works on it, however it came in: every number finite
// and within what the optimiser and the job file can hold, the fields the file keeps in 16 bits
// within them, coil names and requirement names each unique. The first problem found, records in
// the order coils, parts, slits, fillers, cut settings, job, layouts.
std::optional<CJobProblem> CheckJob(const CVellicorDoc& doc);

// The widest coil and longest part the job takes, and the narrowest width, in mm: narrower
// slits would need more positions than a layout can hold.
inline constexpr double MaxJobLength = 1e6;
inline constexpr double MinJobWidth = 0.01;
// The heaviest weight in kg, and the largest count or cost.
inline constexpr double MaxJobAmount = 1e9;

} // namespace vellicor
