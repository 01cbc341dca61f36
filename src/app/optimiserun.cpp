#include "app/optimiserun.h"

#include "model/vellicordoc.h"

namespace vellicor {

MessageAnswer DeferredMessages::Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                                     MessageIcon icon)
{
    std::lock_guard lock(mutex_);
    messages_.push_back({stringId, args, buttons, icon});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void DeferredMessages::ShowAll(IUserMessages& to)
{
    std::vector<Message> pending;
    {
        std::lock_guard lock(mutex_);
        pending.swap(messages_);
    }
    for (const Message& m : pending)
        to.Show(m.id, m.args, m.buttons, m.icon);
}

void COptimiseRun::Execute()
{
    Optimise(doc_, messages_, this, {engine_, &stop_});
}

bool COptimiseRun::BeforeGroup(int group, int groups, const std::string& key)
{
    if (onGroup_)
        onGroup_(group, groups, key);
    return !cancelled_;
}

} // namespace vellicor
