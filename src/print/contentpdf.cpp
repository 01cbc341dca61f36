#include "print/contentpdf.h"

#include "print/contentdocument.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "report/reportcontent.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace vellicor {
namespace {
// The resolution of the document's own layout, whatever the device's.
constexpr double kLayoutDpi = 96.0;
} // namespace

QPageLayout DefaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void PrintContent(const ReportContent& content, QPagedPaintDevice& device)
{
    QTextDocument doc;
    FillTextDocument(content, doc);
    // Laid out on the device's own page: left to itself the document takes the screen's page size.
    // The page number sits in the bottom margin, or where there is none, takes a foot of the page.
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Inch).size() * kLayoutDpi;
    QFont footFont = doc.defaultFont();
    footFont.setPointSizeF(8.0);
    const double foot = 1.25 * QFontMetricsF(footFont).height();
    const bool inMargin = device.pageLayout().margins(QPageLayout::Inch).bottom() * kLayoutDpi >= foot;
    const QSizeF body(page.width(), inMargin ? page.height() : page.height() - foot);
    doc.setPageSize(body);
    KeepHeadingsWithTables(doc);
    const int pages = doc.pageCount();

    QPainter painter(&device);
    const double scaleX = device.logicalDpiX() / kLayoutDpi;
    const double scaleY = device.logicalDpiY() / kLayoutDpi;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device.newPage();
        const QRectF view(QPointF(0, i * body.height()), body);
        painter.save();
        painter.scale(scaleX, scaleY);
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        // In the device's own units, where the painter sizes fonts for the device.
        painter.setFont(footFont);
        painter.setPen(Qt::black);
        const std::string number = Strings().Format(ids::PageOfPages, {std::to_string(i + 1), std::to_string(pages)});
        painter.drawText(QRectF(0, body.height() * scaleY, page.width() * scaleX, foot * scaleY),
                         Qt::AlignHCenter | Qt::AlignBottom, QString::fromStdString(number));
    }
}

bool WriteContentPdf(const ReportContent& content, const std::string& path, const QPageLayout& layout)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layout);
        writer.setTitle(QString::fromStdString(content.Title));
        PrintContent(content, writer);
    }
    return file.commit();
}

} // namespace vellicor
