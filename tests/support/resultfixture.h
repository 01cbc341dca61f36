#pragma once

#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "platform/printer.h"
#include "ui/pages/resultservices.h"

#include <QTemporaryDir>

namespace vellicor::test {

struct NoPrinter : IPrinterMetrics {
    int PageWidthTwips() const override { return 0; }
};

// What the Results page is given under test: no printer, the stock inventory of a data directory
// of its own and an empty material library.
struct ResultFixture {
    explicit ResultFixture(IUserMessages& messages) : inventory(dir.path().toStdString(), messages) {}

    ResultServices Services()
    {
        return {printer, inventory, materials};
    }
    std::string DataFile(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

    QTemporaryDir dir;
    NoPrinter printer;
    CsInventory inventory;
    CsMateDb materials;
};

} // namespace vellicor::test
