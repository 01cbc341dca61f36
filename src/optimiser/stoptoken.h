#pragma once

#include <atomic>

namespace vellicor {

// Set by the user-interface thread when the planner presses Cancel; long loops of the optimiser
// ask it often enough that a run stops within a fraction of a second.
class CStopToken {
public:
    void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> stop_{false};
};

} // namespace vellicor
