#include "cli/texttable.h"

#include "cli/terminaltext.h"

#include <algorithm>
#include <ostream>

namespace vellicor::cli {
namespace {

std::size_t Characters(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

void TextTable::Print(std::ostream& out) const
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : rows_) {
        auto& shown = rows.emplace_back();
        for (const auto& cell : row)
            shown.push_back(TerminalText(cell));
    }
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], Characters(row[i]));
    }
    for (const auto& row : rows) {
        std::string line = " ";
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += ' ' + row[i];
            if (i + 1 < row.size())
                line += std::string(widths[i] - Characters(row[i]) + 1, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

} // namespace vellicor::cli
