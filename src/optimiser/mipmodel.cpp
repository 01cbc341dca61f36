#include "optimiser/mipmodel.h"

namespace vellicor {

int CMipModel::AddColumn(double cost, double lower, double upper, bool integer)
{
    Cost.push_back(cost);
    Lower.push_back(lower);
    Upper.push_back(upper);
    Integer.push_back(integer ? 1 : 0);
    return static_cast<int>(Cost.size()) - 1;
}

int CMipModel::AddRow(double lower, double upper)
{
    RowLower.push_back(lower);
    RowUpper.push_back(upper);
    return static_cast<int>(RowLower.size()) - 1;
}

void CMipModel::Set(int row, int column, double value)
{
    EntryRow.push_back(row);
    EntryColumn.push_back(column);
    EntryValue.push_back(value);
}

} // namespace vellicor
