#pragma once

namespace vellicor {

class CsInventory;
class CsMateDb;
class IPrinterMetrics;

// What the Results page needs of the application besides UiServices: the printer the summary is
// laid out for, and the stock inventory and material library a booking works on.
struct ResultServices {
    const IPrinterMetrics& printer;
    CsInventory& inventory;
    const CsMateDb& materials;
};

} // namespace vellicor
