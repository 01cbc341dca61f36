#include "platform/builtinstrings.h"

#include <array>

namespace vellicor {
namespace {

// Keep sorted by id: looked up by binary search.
constexpr std::array kStrings{
    BuiltinString{155, "The following %d lines had errors and have been skipped\n %s"},
    BuiltinString{156, "The following Columns are skipped without specifying default values\n%sWould you like to specify "
                       "default values for them?"},
    BuiltinString{157, "The file format appears to be different from the saved settings.\n Would you still like to use "
                       "the saved setting for import."},
    BuiltinString{158, "The saved settings for items in  the Import Column from the \ncolumn mapping table are invalid. "
                       "The Items for missing \ncolumns will be set to blank."},
    BuiltinString{159, "Delimiter cannot be a number or an alphabet. Please Enter valid character."},
    BuiltinString{163, "<Expression>"},
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
    BuiltinString{61711, "%1\nThere are no lines to import from this file."},
};

} // namespace

std::span<const BuiltinString> BuiltinStrings()
{
    return kStrings;
}

} // namespace vellicor
