#include "report/showwrittenfile.h"

#include "platform/shell.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"

#include <filesystem>

namespace vellicor {

bool ShowFile(const std::string& path, IShell& shell, IUserMessages& messages)
{
    if (shell.OpenDocument(path))
        return true;
    messages.Tell(ids::NoProgramOpens, {path}, MessageIcon::Warning);
    return false;
}

void ShowWrittenFile(const std::string& path, int writtenId, IShell& shell, IUserMessages& messages)
{
    ShowFile(path, shell, messages);
    if (messages.Ask(writtenId, MessageButtons::YesNo, {path}) != MessageAnswer::Yes)
        return;
    const std::u8string u8 = std::filesystem::u8path(path).parent_path().u8string();
    const std::string folder = u8.empty() ? std::string(".") : std::string(u8.begin(), u8.end());
    if (!shell.OpenFolder(folder))
        messages.Tell(ids::NoProgramOpens, {folder}, MessageIcon::Warning);
}

} // namespace vellicor
