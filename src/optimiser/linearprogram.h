#pragma once

#include "optimiser/stoptoken.h"

#include <optional>
#include <span>
#include <vector>

struct _lprec;

namespace vellicor {

// A linear program on lp_solve: continuous variables with lp_solve's default bounds (x >= 0),
// minimised. lp_solve's own messages are discarded. The program is deleted with this object. A solve
// asks the stop token, when there is one, and ends as Stopped once a stop is requested.
class CLinearProgram {
public:
    enum class RowType { Equal, LessOrEqual, GreaterOrEqual };
    // How the last Solve ended.
    enum class Outcome { NotSolved, Optimal, Suboptimal, Infeasible, Unbounded, Failed, Stopped };

    explicit CLinearProgram(int columns, const CStopToken* stop = nullptr);
    CLinearProgram(const CLinearProgram&) = delete;
    CLinearProgram& operator=(const CLinearProgram&) = delete;
    ~CLinearProgram();

    // One coefficient per column.
    void SetObjective(std::span<const double> coefficients);
    // A row over the given columns (0-based); every other column has no coefficient in it.
    void AddRow(std::span<const int> columns, std::span<const double> values, RowType type, double rhs);
    // The variables, when lp_solve finds the optimum or stops with a solution at hand; none for
    // every other outcome (infeasible, unbounded, numerical failure, no memory).
    std::optional<std::vector<double>> Solve();
    Outcome LastOutcome() const { return outcome_; }

private:
    _lprec* lp_ = nullptr;
    int columns_ = 0;
    bool rowMode_ = false;
    Outcome outcome_ = Outcome::NotSolved;
};

// "optimal", "suboptimal", "infeasible", "unbounded", "failed", "stopped" or "not solved".
const char* OutcomeName(CLinearProgram::Outcome outcome);

} // namespace vellicor
