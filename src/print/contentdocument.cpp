#include "print/contentdocument.h"

#include "report/reportcontent.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <cmath>

namespace vellicor {
namespace {

constexpr double kNormalPoints = 9.0;
constexpr double kLargePoints = 18.0;
constexpr double kPaddingShare = 0.35;
// Marks the blocks that head a table.
constexpr int kHeadingProperty = QTextFormat::UserProperty;

QString Qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QTextCharFormat Characters(double points, bool bold)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

Qt::Alignment AlignmentOf(char align)
{
    return (align == 'r' ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void WriteCell(QTextTable& table, int row, int column, const std::string& text, char align,
               const QTextCharFormat& format)
{
    QTextCursor cell = table.cellAt(row, column).firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(AlignmentOf(align));
    cell.setBlockFormat(block);
    cell.insertText(Qt(text), format);
}

void WriteTable(QTextCursor& cursor, const ReportTable& table, double points)
{
    if (table.Columns.empty())
        return;
    double sum = 0;
    for (const ReportColumn& c : table.Columns)
        sum += c.Width;
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderBrush(Qt::black);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(points * kPaddingShare);
    format.setCellSpacing(0);
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (const ReportColumn& c : table.Columns)
        widths.append(QTextLength(QTextLength::PercentageLength, sum > 0 ? 100.0 * c.Width / sum : 0));
    format.setColumnWidthConstraints(widths);

    const int columns = static_cast<int>(table.Columns.size());
    QTextTable* out = cursor.insertTable(static_cast<int>(table.Rows.size()) + 1, columns, format);
    const QTextCharFormat header = Characters(points, true);
    const QTextCharFormat body = Characters(points, false);
    for (int c = 0; c < columns; ++c) {
        const ReportColumn& column = table.Columns[static_cast<std::size_t>(c)];
        QTextTableCellFormat shaded;
        shaded.setBackground(QColor(230, 230, 230));
        out->cellAt(0, c).setFormat(shaded);
        WriteCell(*out, 0, c, column.Title, column.Align, header);
    }
    for (int r = 0; r < static_cast<int>(table.Rows.size()); ++r) {
        const auto& cells = table.Rows[static_cast<std::size_t>(r)].Cells;
        for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c)
            WriteCell(*out, r + 1, c, cells[static_cast<std::size_t>(c)], table.Columns[static_cast<std::size_t>(c)].Align,
                      body);
    }
    cursor.movePosition(QTextCursor::End);
}

} // namespace

void FillTextDocument(const ReportContent& content, QTextDocument& doc)
{
    doc.clear();
    const double points = content.LargeType ? kLargePoints : kNormalPoints;
    QFont font = doc.defaultFont();
    font.setPointSizeF(points);
    doc.setDefaultFont(font);

    QTextCursor cursor(&doc);
    bool first = true;
    // The empty document's own block takes the first paragraph, so that it does not start blank.
    auto paragraph = [&](const std::string& text, double scale, bool pageBreak, bool heading) {
        QTextBlockFormat block;
        block.setProperty(kHeadingProperty, heading);
        block.setTopMargin(first || pageBreak ? 0 : points * 0.9);
        block.setBottomMargin(points * 0.4);
        if (pageBreak && !first)
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        cursor.insertText(Qt(text), Characters(points * scale, true));
        first = false;
    };
    if (!content.Title.empty())
        paragraph(content.Title, 1.6, false, false);
    for (const ReportTable& table : content.Tables) {
        paragraph(table.Heading, 1.3, table.NewPage, true);
        WriteTable(cursor, table, points);
    }
}

void KeepHeadingsWithTables(QTextDocument& doc)
{
    const double pageHeight = doc.pageSize().height();
    if (pageHeight <= 0)
        return;
    const double points = doc.defaultFont().pointSizeF();
    const double row = QFontMetricsF(doc.defaultFont()).lineSpacing() + 2 * points * kPaddingShare + 2;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().property(kHeadingProperty).toBool())
            continue;
        // Asked afresh for each heading: moving one moves those after it.
        const QRectF rect = doc.documentLayout()->blockBoundingRect(block);
        const double pageEnd = (std::floor(rect.top() / pageHeight) + 1) * pageHeight;
        if (pageEnd - rect.bottom() >= 2 * row)
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        format.setTopMargin(0);
        QTextCursor(block).setBlockFormat(format);
    }
}

} // namespace vellicor
