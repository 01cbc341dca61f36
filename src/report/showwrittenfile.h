#pragma once

#include <string>

namespace vellicor {

class IShell;
class IUserMessages;

// Shows a file the program has just written in its associated program, says so when there is
// none, then names the file (text `writtenId`, the path as %1) and offers to open its folder.
void ShowWrittenFile(const std::string& path, int writtenId, IShell& shell, IUserMessages& messages);

// Shows the file in its associated program; says so, naming it, when no program opens it.
bool ShowFile(const std::string& path, IShell& shell, IUserMessages& messages);

} // namespace vellicor
