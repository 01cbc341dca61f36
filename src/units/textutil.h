#pragma once

#include <string>
#include <vector>

namespace vellicor {

// Leading and trailing blanks (space, tab, CR, LF, VT, FF) removed.
std::string Trim(const std::string& text);

// Leading blanks removed and every run of blanks replaced by its first character.
std::string CollapseSpaces(const std::string& text);

// Splits at every occurrence of `delimiter`; only the last element is trimmed, and dropped when
// empty. A one-space delimiter first collapses runs of blanks. An empty delimiter gives the trimmed
// text as one element. Returns the element count.
int SplitString(const std::string& text, std::vector<std::string>& out, const std::string& delimiter);

// Every element followed by the separator, the last one included.
std::string JoinStrings(const std::vector<std::string>& items, const std::string& separator);

// Trims, then removes one trailing "\" or "/".
void StripTrailingSlash(std::string& path);

// ASCII letters lowered; other bytes unchanged.
std::string ToLowerAscii(const std::string& text);

} // namespace vellicor
