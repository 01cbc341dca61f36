#pragma once

#include "optimiser/engine.h"
#include "optimiser/patternoptimiser.h"
#include "optimiser/yieldoptimiser.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellicor {

class CVellicorDoc;
class IUserMessages;
class CStopToken;

// The text that groups coils and requirements: the material, "-", the thickness with 3 decimals
// (none when it is within 0.001 of a whole number).
std::string MakeGroupKey(const std::string& material, double thickness);

// One material-and-thickness group as its optimiser saw it.
struct CGroupStats {
    std::string Key;
    std::size_t WorkingCoils = 0;
    std::size_t Requirements = 0;
    std::size_t Widths = 0;
    CRunStats Run;
    EOptimiserEngine Engine = EOptimiserEngine::Yield;
    // The least possible coil weight of the group whichever engine planned it; the rest only for
    // the best-yield engine.
    CYieldStats Yield;
};

// Told before each group is optimised and, through IGroupProgress, after each generation pass
// within it, so that a long run can show where it is. Called on the thread that runs Optimise.
class IOptimiseProgress : public IGroupProgress {
public:
    // False stops the run: the job is then left without a result.
    virtual bool BeforeGroup(int group, int groups, const std::string& key) = 0;
    void Pass(int /*pass*/, std::size_t /*poolSize*/) override {}
    // After each group that had stock and requirements to optimise.
    virtual void AfterGroup(const CGroupStats& /*stats*/) {}
    // The share of the current group done, between 0 and 1, as a long group goes.
    virtual void WithinGroup(double /*share*/) {}
};

// Which engine plans, and the token that stops a long run (the job is then left without a result).
struct COptimiseOptions {
    EOptimiserEngine Engine = EOptimiserEngine::Yield;
    const CStopToken* Stop = nullptr;
};

// A run that could not finish, such as one out of memory: the job is left without a result, the
// rest of it as it was. The message is a string id with its arguments.
class COptimiseError : public std::runtime_error {
public:
    COptimiseError(int messageId, std::vector<std::string> args);
    int MessageId;
    std::vector<std::string> Args;
};

// The Optimise command on a job: discards the result, optimises every material-and-thickness
// group on its own, rounds the layouts up to whole pieces and puts them into cutting order. 1 when
// some group was optimised, -1 otherwise. A group that yields nothing tells why, unless the run
// was stopped: a stop requested through `options.Stop` leaves the job without a result. Does not
// mark the job modified. Throws COptimiseError when a group runs out of memory.
int Optimise(CVellicorDoc& doc, IUserMessages& messages, IOptimiseProgress* progress = nullptr,
             const COptimiseOptions& options = {});

} // namespace vellicor
