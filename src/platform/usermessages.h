#pragma once

#include <string>
#include <vector>

namespace vellicor {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { Information, Warning, Question, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// How the core tells the user something or asks a question: a message box whose text is the
// string-table entry `stringId` with its placeholders filled from `args` (see CStringTable::Format).
class IUserMessages {
public:
    virtual ~IUserMessages() = default;

    virtual MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                               MessageIcon icon) = 0;

    void Tell(int stringId, const std::vector<std::string>& args = {}, MessageIcon icon = MessageIcon::Information)
    {
        Show(stringId, args, MessageButtons::Ok, icon);
    }
    MessageAnswer Ask(int stringId, MessageButtons buttons, const std::vector<std::string>& args = {})
    {
        return Show(stringId, args, buttons, MessageIcon::Question);
    }
};

} // namespace vellicor
