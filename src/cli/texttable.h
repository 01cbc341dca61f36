#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vellicor::cli {

// Columns padded to their widest cell, counted in characters, two blanks apart; control characters
// in the cells are shown escaped.
class TextTable {
public:
    explicit TextTable(std::vector<std::string> header) { rows_.push_back(std::move(header)); }

    void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

    void Print(std::ostream& out) const;

private:
    std::vector<std::vector<std::string>> rows_;
};

} // namespace vellicor::cli
