#pragma once

#include "optimiser/engine.h"
#include "optimiser/optimise.h"
#include "optimiser/stoptoken.h"
#include "platform/usermessages.h"

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>

class QWidget;

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

// Where a run is: the group, and within it the last generation pass (0 before the first).
struct CRunPosition {
    int Group = 0;
    int Groups = 0;
    std::string Key;
    int Pass = 0;
    std::size_t PoolSize = 0;
};

// One optimisation of a job on a worker thread: tells where it is and can be stopped at any time.
class COptimiseRun : public IOptimiseProgress {
public:
    // `onProgress` is called on the worker thread.
    COptimiseRun(CVellicorDoc& doc, std::function<void(const CRunPosition&)> onProgress,
                 EOptimiserEngine engine = EOptimiserEngine::Yield)
        : doc_(doc), onProgress_(std::move(onProgress)), engine_(engine)
    {
    }

    // Never throws: a failure leaves the job without a result and its message among Messages.
    void Execute();
    void Cancel() { stop_.RequestStop(); }
    bool Cancelled() const { return stop_.StopRequested(); }
    DeferredMessages& Messages() { return messages_; }

    bool BeforeGroup(int group, int groups, const std::string& key) override;
    void Pass(int pass, std::size_t poolSize) override;

private:
    CVellicorDoc& doc_;
    std::function<void(const CRunPosition&)> onProgress_;
    EOptimiserEngine engine_;
    CStopToken stop_;
    CRunPosition position_;
    DeferredMessages messages_;
};

enum class EOptimiseEnd { Result, NoResult, Cancelled };

// Optimises the job on a worker thread behind a window-modal progress dialog whose Cancel stops
// the run; the window keeps handling events meanwhile. The dialog is gone before any message of
// the run is shown through `messages`.
EOptimiseEnd OptimiseWithProgress(QWidget* parent, CVellicorDoc& doc, IUserMessages& messages,
                                  EOptimiserEngine engine);

} // namespace vellicor
