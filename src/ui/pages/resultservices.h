#pragma once

#include <functional>

namespace vellicor {

class IInventoryStore;
class CsMateDb;
class IPrinterMetrics;

// What the Results page needs of the application besides UiServices: the printer the summary is
// laid out for, the stock inventory and material library a booking works on, and File Save of
// the job, which a booking ends with (false when the job was not saved).
struct ResultServices {
    const IPrinterMetrics& printer;
    IInventoryStore& inventory;
    const CsMateDb& materials;
    std::function<bool()> saveJob;
};

} // namespace vellicor
