#pragma once

#include "platform/printer.h"

#include <QPrinter>

namespace vellicor {

// The page width of the printer chosen in Print SetUp, the system's default printer until then.
class QtPrinterMetrics : public IPrinterMetrics {
public:
    QtPrinterMetrics();

    int PageWidthTwips() const override;
    QPrinter& Printer() { return printer_; }

private:
    QPrinter printer_;
};

} // namespace vellicor
