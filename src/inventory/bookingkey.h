#pragma once

#include <string>

namespace vellicor {

class CVellicorDoc;

// The key of a job's booking: its order number and a digest of the stock it consumes and the
// offcuts it leaves (not of the job file, whose flag and other contents may change). Rebooking the
// same job, or a copy of it, gives the same key.
std::string BookingKey(const CVellicorDoc& doc);

} // namespace vellicor
