#include "ui/grid/gridclipboard.h"

#include <QRegularExpression>

namespace vellicor {

std::vector<QStringList> SplitTabText(const QString& text)
{
    static const QRegularExpression lineBreak("\r\n|\n|\r");
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    std::vector<QStringList> rows;
    for (const QString& line : lines)
        rows.push_back(line.split('\t'));
    return rows;
}

QString JoinTabText(const std::vector<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows)
        text += row.join('\t') + "\r\n";
    return text;
}

} // namespace vellicor
