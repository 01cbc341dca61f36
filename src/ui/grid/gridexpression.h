#pragma once

#include <QString>

#include <vector>

namespace vellicor {

// A "$n" of an expression: grid column `column` is the n-th visible column (n = 0: the row number).
struct ColumnRef {
    int column;
    int number;
};

// The "$n" an expression uses, from the highest n down. `hidden[c - 1]` tells whether grid column
// c is hidden. Numbers are matched from the highest down and each match is taken out, so that "$1"
// is not found inside "$12".
std::vector<ColumnRef> FindColumnRefs(const QString& expression, const std::vector<bool>& hidden);

// The evaluator's assignment of `value` to a variable: "V<number>=<value>" or "VX=<value>", the
// value with six decimals and "." whatever the locale.
std::string AssignmentText(const std::string& variable, double value);

} // namespace vellicor
