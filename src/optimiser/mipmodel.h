#pragma once

#include <cstddef>
#include <vector>

namespace vellicor {

class CStopToken;

// A mixed-integer program as plain data, minimised: bounded columns, some of them integer, and
// ranged rows given by their coefficients.
struct CMipModel {
    int AddColumn(double cost, double lower, double upper, bool integer);
    int AddRow(double lower, double upper);
    void Set(int row, int column, double value);

    std::vector<double> Cost;
    std::vector<double> Lower;
    std::vector<double> Upper;
    std::vector<char> Integer;
    std::vector<double> RowLower;
    std::vector<double> RowUpper;
    std::vector<int> EntryRow;
    std::vector<int> EntryColumn;
    std::vector<double> EntryValue;
    // A feasible solution to start from; empty when there is none.
    std::vector<double> Start;
};

// Work limits: the node limit keeps the plan the same from run to run; the time limit only guards
// a slow machine.
struct CMipLimits {
    int MaxNodes = 0;
    double MaxSeconds = 0.0;
};

struct CMipOutcome {
    bool Solved = false; // some solution found
    std::vector<double> X;
    double Objective = 0.0;
    double BestBound = 0.0;
    // (objective - best bound) / objective
    double Gap = 0.0;
    double Seconds = 0.0;
};

// Solved by branch and cut (COIN-OR CBC); stops early when asked to, with the best solution found.
CMipOutcome SolveMip(const CMipModel& model, const CMipLimits& limits, const CStopToken* stop);

} // namespace vellicor
