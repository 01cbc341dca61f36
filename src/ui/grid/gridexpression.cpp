#include "ui/grid/gridexpression.h"

#include <charconv>
#include <string>

namespace vellicor {

std::vector<ColumnRef> FindColumnRefs(const QString& expression, const std::vector<bool>& hidden)
{
    QString rest = expression;
    int number = 0;
    for (bool h : hidden)
        number += h ? 0 : 1;
    std::vector<ColumnRef> refs;
    for (int col = static_cast<int>(hidden.size()); col >= 0; --col) {
        if (col > 0 && hidden[static_cast<std::size_t>(col - 1)])
            continue;
        const QString key = '$' + QString::number(number);
        if (rest.contains(key)) {
            rest.remove(key);
            refs.push_back({col, number});
        }
        --number;
    }
    return refs;
}

std::string AssignmentText(const std::string& variable, double value)
{
    char buf[400];  // the largest double takes 309 digits before the point
    char* end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6).ptr;
    return variable + "=" + std::string(buf, static_cast<std::size_t>(end - buf));
}

} // namespace vellicor
