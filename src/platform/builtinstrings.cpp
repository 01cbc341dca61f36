#include "platform/builtinstrings.h"

#include <array>

namespace vellicor {
namespace {

// Keep sorted by id: looked up by binary search.
constexpr std::array kStrings{
    BuiltinString{175, "The file has to be saved before this operation can be completed. Please save the file."},
    BuiltinString{198, "Could not optimize. Check if coils are sufficient, and each part can fit in some coil."},
    BuiltinString{263, "The inventory has already been updated for this job. See Inventory help for more information."},
    BuiltinString{268, "Please enter the Job Order No. before updating the inventory, as this information is required for "
                       "updating the stocks used database. \nIf you wish to continue without giving the order no. click "
                       "\"Yes\"."},
    BuiltinString{61700, "Unexpected file format."},
    BuiltinString{61701, "%1\nCannot find this file.\nPlease verify that the correct path and file name are given."},
    BuiltinString{61702, "Destination disk drive is full."},
    BuiltinString{61703, "Unable to read from %1, it is opened by someone else."},
    BuiltinString{61704, "Unable to write to %1, it is read-only or opened by someone else."},
    BuiltinString{61705, "An unexpected error occurred while reading %1."},
    BuiltinString{61706, "An unexpected error occurred while writing %1."},
    BuiltinString{61707, "Failed to open document."},
    BuiltinString{61708, "Failed to save document."},
    BuiltinString{61709, "Save changes to %1?"},
    BuiltinString{61710, "Coil sheet empty"},
    BuiltinString{61720, "The JSON job cannot be read: %1"},
    BuiltinString{61721, "The JSON job must be one object."},
    BuiltinString{61722, "The JSON job's format must be \"vellicor-job\"."},
    BuiltinString{61723, "The JSON job has an unknown field %1."},
    BuiltinString{61724, "The JSON job's %1 must be a text."},
    BuiltinString{61725, "The JSON job's %1 must be a number."},
    BuiltinString{61726, "The JSON job's %1 must be a whole number."},
    BuiltinString{61727, "The JSON job's %1 must be an array."},
    BuiltinString{61728, "The JSON job's %1 must be an object."},
    BuiltinString{61729, "The JSON job's %1 names \"%2\", which is not in the job."},
};

} // namespace

std::span<const BuiltinString> BuiltinStrings()
{
    return kStrings;
}

} // namespace vellicor
