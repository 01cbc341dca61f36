#include "print/contentpdf.h"

#include "print/contentdocument.h"
#include "report/reportcontent.h"

#include <QPageLayout>
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
    doc.setPageSize(device.pageLayout().paintRect(QPageLayout::Inch).size() * kLayoutDpi);
    doc.print(&device);
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
