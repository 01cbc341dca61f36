#pragma once

#include <string>

namespace vellicor {

class IShell;
class IUserMessages;

// The program version as one number: major × 100 + minor (218 for 2.18).
int ProgramVersion();

// The address of a vendor page (strings 144 to 147) as it is opened: the text of the string
// without surrounding blanks, followed by "?pver=" and the program version.
std::string WebLinkAddress(int stringId);

// Opens a web address in the desktop's browser, or failing that in the program registered for
// HTML pages; when neither works, beeps and tells the user why. False then.
bool OpenWebAddress(const std::string& url, IShell& shell, IUserMessages& messages);

} // namespace vellicor
