#pragma once

#include <iosfwd>

namespace vellicor {
class CVellicorDoc;
}

namespace vellicor::cli {

// The readable forms of a job, lengths in the current display unit and weights in kg.

// Order number and flags, the stock, the requirements and the cut settings.
void PrintJobInputs(std::ostream& out, const CVellicorDoc& doc);

// The layouts table, the result figures and the production per requirement; a line saying so
// when the job has no result.
void PrintJobResult(std::ostream& out, const CVellicorDoc& doc);

} // namespace vellicor::cli
