#pragma once

#include <memory>
#include <string>

namespace vellicor {

// The evaluator behind the grids' "Evaluate Expression...": arithmetic over numbers and variables
// ("+", "-", "*", "/", parentheses and the usual functions), with "." as the decimal point.
class CParser {
public:
    CParser();
    ~CParser();
    CParser(const CParser&) = delete;
    CParser& operator=(const CParser&) = delete;

    // Forgets every variable.
    void Reset();
    // "name=expression" defines the variable for later evaluations; any other text is evaluated.
    // 0 when the value went into *result; otherwise *result keeps what it held.
    int Eval(const std::string& text, double* result);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vellicor
