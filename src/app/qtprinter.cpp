#include "app/qtprinter.h"

#include <QPrinterInfo>

#include <cmath>

namespace vellicor {

QtPrinterMetrics::QtPrinterMetrics()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        printer_.setPrinterName(info.printerName());
}

int QtPrinterMetrics::PageWidthTwips() const
{
    if (printer_.printerName().isEmpty() && QPrinterInfo::defaultPrinter().isNull())
        return 0;
    const double points = printer_.pageLayout().paintRect(QPageLayout::Point).width();
    return static_cast<int>(std::lround(points * 20));
}

} // namespace vellicor
