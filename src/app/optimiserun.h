#pragma once

#include "optimiser/engine.h"
#include "optimiser/optimise.h"
#include "optimiser/stoptoken.h"
#include "platform/usermessages.h"

#include <atomic>
#include <functional>
#include <mutex>

namespace vellicor {

class CVellicorDoc;

// Message boxes asked for off the user-interface thread, kept to be shown once the run is over.
class DeferredMessages : public IUserMessages {
public:
    MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                       MessageIcon icon) override;
    void ShowAll(IUserMessages& to);

private:
    struct Message {
        int id;
        std::vector<std::string> args;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::mutex mutex_;
    std::vector<Message> messages_;
};

// One optimisation of a job on a worker thread: tells where it is and can be stopped between
// groups.
class COptimiseRun : public IOptimiseProgress {
public:
    // `onGroup` is called on the worker thread.
    COptimiseRun(CVellicorDoc& doc, std::function<void(int group, int groups, const std::string& key)> onGroup,
                 EOptimiserEngine engine = EOptimiserEngine::Yield)
        : doc_(doc), onGroup_(std::move(onGroup)), engine_(engine)
    {
    }

    void Execute();
    // Also stops the group under way, at its next check.
    void Cancel()
    {
        cancelled_ = true;
        stop_.RequestStop();
    }
    bool Cancelled() const { return cancelled_; }
    DeferredMessages& Messages() { return messages_; }

    bool BeforeGroup(int group, int groups, const std::string& key) override;

private:
    CVellicorDoc& doc_;
    std::function<void(int, int, const std::string&)> onGroup_;
    EOptimiserEngine engine_;
    std::atomic<bool> cancelled_{false};
    CStopToken stop_;
    DeferredMessages messages_;
};

} // namespace vellicor
