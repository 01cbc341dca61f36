#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vellicor {

// A block of cells as spreadsheets put it on the clipboard: one line per row, the cells of a row
// separated by tabs. A line break ending the last row is not a row of its own.
std::vector<QStringList> SplitTabText(const QString& text);
QString JoinTabText(const std::vector<QStringList>& rows);

} // namespace vellicor
