#pragma once

#include "platform/stringtable.h"
#include "platform/usermessages.h"

#include <deque>
#include <string>
#include <vector>

namespace vellicor::test {

// Records every message box and answers questions from a queue (Yes when the queue is empty).
class RecordingMessages : public IUserMessages {
public:
    struct Shown {
        int id;
        std::vector<std::string> args;
        MessageButtons buttons;
        MessageIcon icon;
        std::string text;
    };

    MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                       MessageIcon icon) override
    {
        shown.push_back({stringId, args, buttons, icon, Strings().Format(stringId, args)});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return buttons == MessageButtons::OkCancel ? MessageAnswer::Ok : MessageAnswer::Yes;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& s : shown)
            ids.push_back(s.id);
        return ids;
    }

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
};

} // namespace vellicor::test
