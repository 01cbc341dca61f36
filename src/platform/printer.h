#pragma once

namespace vellicor {

// The default printer's printable width, which the report scales its tables to.
class IPrinterMetrics {
public:
    virtual ~IPrinterMetrics() = default;
    // Twips; 0 when no printer is known.
    virtual int PageWidthTwips() const = 0;
};

} // namespace vellicor
