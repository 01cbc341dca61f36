#include "optimiser/linearprogram.h"

#include <lpsolve/lp_lib.h>

namespace vellicor {
namespace {

int __WINAPI AbortWhenStopped(lprec*, void* token)
{
    return static_cast<const CStopToken*>(token)->StopRequested() ? TRUE : FALSE;
}

} // namespace

CLinearProgram::CLinearProgram(int columns, const CStopToken* stop) : lp_(make_lp(0, columns)), columns_(columns)
{
    if (!lp_)
        return;
    if (stop)
        put_abortfunc(lp_, &AbortWhenStopped, const_cast<CStopToken*>(stop));
    char discard[] = "";
    set_outputfile(lp_, discard);
    set_verbose(lp_, NEUTRAL);
    set_minim(lp_);
    // Rows are added one by one: lp_solve takes them faster in row-entry mode.
    rowMode_ = set_add_rowmode(lp_, TRUE) == TRUE;
}

CLinearProgram::~CLinearProgram()
{
    if (lp_)
        delete_lp(lp_);
}

void CLinearProgram::SetObjective(std::span<const double> coefficients)
{
    if (!lp_)
        return;
    std::vector<double> values(coefficients.begin(), coefficients.end());
    std::vector<int> columns(values.size());
    for (std::size_t k = 0; k < columns.size(); ++k)
        columns[k] = static_cast<int>(k) + 1;
    set_obj_fnex(lp_, static_cast<int>(values.size()), values.data(), columns.data());
}

void CLinearProgram::AddRow(std::span<const int> columns, std::span<const double> values, RowType type, double rhs)
{
    if (!lp_)
        return;
    std::vector<int> lpColumns(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i)
        lpColumns[i] = columns[i] + 1;
    std::vector<double> lpValues(values.begin(), values.end());
    const int lpType = type == RowType::Equal ? EQ : type == RowType::LessOrEqual ? LE : GE;
    add_constraintex(lp_, static_cast<int>(lpValues.size()), lpValues.data(), lpColumns.data(), lpType, rhs);
}

std::optional<std::vector<double>> CLinearProgram::Solve()
{
    if (!lp_) {
        outcome_ = Outcome::Failed;
        return std::nullopt;
    }
    if (rowMode_) {
        set_add_rowmode(lp_, FALSE);
        rowMode_ = false;
    }
    const int status = solve(lp_);
    switch (status) {
    case OPTIMAL: outcome_ = Outcome::Optimal; break;
    case SUBOPTIMAL: outcome_ = Outcome::Suboptimal; break;
    case INFEASIBLE: outcome_ = Outcome::Infeasible; break;
    case UNBOUNDED: outcome_ = Outcome::Unbounded; break;
    case USERABORT: outcome_ = Outcome::Stopped; break;
    default: outcome_ = Outcome::Failed; break;
    }
    if (status != OPTIMAL && status != SUBOPTIMAL)
        return std::nullopt;
    std::vector<double> x(static_cast<std::size_t>(columns_), 0.0);
    if (columns_ > 0 && !get_variables(lp_, x.data()))
        return std::nullopt;
    return x;
}

const char* OutcomeName(CLinearProgram::Outcome outcome)
{
    switch (outcome) {
    case CLinearProgram::Outcome::Optimal: return "optimal";
    case CLinearProgram::Outcome::Suboptimal: return "suboptimal";
    case CLinearProgram::Outcome::Infeasible: return "infeasible";
    case CLinearProgram::Outcome::Unbounded: return "unbounded";
    case CLinearProgram::Outcome::Failed: return "failed";
    case CLinearProgram::Outcome::Stopped: return "stopped";
    case CLinearProgram::Outcome::NotSolved: break;
    }
    return "not solved";
}

} // namespace vellicor
