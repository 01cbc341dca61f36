#pragma once

namespace vellicor {

class IInventoryStore;
class CsMateDb;
class IPrinterMetrics;

// What the Results page needs of the application besides UiServices: the printer the summary is
// laid out for, and the stock inventory and material library a booking works on.
struct ResultServices {
    const IPrinterMetrics& printer;
    IInventoryStore& inventory;
    const CsMateDb& materials;
};

} // namespace vellicor
