#include "optimiser/mipmodel.h"
#include "optimiser/stoptoken.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CbcSolver.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

namespace vellicor {

namespace {

// Ends the search at the next node or solution once the planner has asked to stop.
class CStopHandler : public CbcEventHandler {
public:
    explicit CStopHandler(const CStopToken* stop) : stop_(stop) {}
    CbcEventHandler* clone() const override { return new CStopHandler(*this); }
    CbcAction event(CbcEvent) override { return stop_ && stop_->StopRequested() ? stop : noAction; }

private:
    const CStopToken* stop_;
};

int NoCallback(CbcModel*, int)
{
    return 0;
}

} // namespace

CMipOutcome SolveMip(const CMipModel& model, const CMipLimits& limits, const CStopToken* stop)
{
    const auto started = std::chrono::steady_clock::now();
    CMipOutcome out;
    const int columns = static_cast<int>(model.Cost.size());
    if (columns == 0)
        return out;

    CoinPackedMatrix matrix(true, model.EntryRow.data(), model.EntryColumn.data(), model.EntryValue.data(),
                            static_cast<CoinBigIndex>(model.EntryValue.size()));
    matrix.setDimensions(static_cast<int>(model.RowLower.size()), columns);
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, model.Lower.data(), model.Upper.data(), model.Cost.data(), model.RowLower.data(),
                       model.RowUpper.data());
    for (int i = 0; i < columns; ++i) {
        if (model.Integer[static_cast<std::size_t>(i)])
            solver.setInteger(i);
    }

    CbcModel cbc(solver);
    CbcSolverUsefulData data;
    data.noPrinting_ = true;
    CbcMain0(cbc, data);
    cbc.setLogLevel(0);
    cbc.messageHandler()->setLogLevel(0);
    CStopHandler handler(stop);
    cbc.passInEventHandler(&handler);
    if (!model.Start.empty()) {
        std::vector<std::pair<std::string, double>> start;
        for (std::size_t i = 0; i < model.Start.size(); ++i)
            start.emplace_back(solver.getColName(static_cast<int>(i)), model.Start[i]);
        cbc.setMIPStart(start);
    }

    const std::string nodes = std::to_string(std::max(0, limits.MaxNodes));
    const std::string seconds = std::to_string(std::max(0.01, limits.MaxSeconds));
    // CBC's preprocessing crashes on some of these models when it maps the solution back. Its cut
    // generators cost seconds at the root of a big plan and gain nothing on these models that its
    // heuristics and the search do not.
    const char* argv[] = {"vellicor", "-log", "0", "-slog", "0", "-threads", "0", "-maxN", nodes.c_str(),
                          "-sec", seconds.c_str(), "-preprocess", "off", "-cuts", "off", "-solve", "-quit"};
    CbcMain1(static_cast<int>(std::size(argv)), argv, cbc, NoCallback, data);

    out.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double* best = cbc.bestSolution();
    if (!best)
        return out;
    out.Solved = true;
    out.X.assign(best, best + columns);
    out.Objective = cbc.getObjValue();
    out.BestBound = std::min(out.Objective, cbc.getBestPossibleObjValue());
    out.Gap = out.Objective > 0.0 ? std::max(0.0, (out.Objective - out.BestBound) / out.Objective) : 0.0;
    return out;
}

} // namespace vellicor
