#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "platform/stringids.h"
#include "support/choosefile.h"
#include "support/uifixture.h"
#include "support/whenmodal.h"
#include "ui/dialogs/csvimportdlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/dialogs/inventorydlg.h"
#include "ui/grid/localedate.h"
#include "ui/dialogs/qtinventorydialogs.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vellicor;
using Col = CsInventoryDlg::Col;
using Mode = CsInventoryDlg::Mode;

namespace {

const QString kCsvFixture = VELLICOR_UI_FIXTURES "/stockdb.csv";

CsStockRec Stock(std::int32_t id, const std::string& name, std::uint16_t qty = 1)
{
    CsStockRec rec;
    rec.Id = id;
    rec.Name = name;
    rec.Length = 2500.0;
    rec.Width = 1250.0;
    rec.Thickness = 1.5;
    rec.CostPerKg = 0.875;
    rec.Qty = qty;
    rec.Material = "crca";
    rec.LeftTrim = 10.0;
    rec.RightTrim = 12.5;
    rec.Date = MakeOleDate({2026, 12, 8, 14, 3, 5});
    return rec;
}

CsStockDb StockDb(std::int32_t lastId, std::vector<CsStockRec> records)
{
    CsStockDb db;
    db.LastId = lastId;
    db.Records = std::move(records);
    return db;
}

std::vector<std::int32_t> Ids(const CsStockDb& db)
{
    std::vector<std::int32_t> ids;
    for (const CsStockRec& rec : db.Records)
        ids.push_back(rec.Id);
    return ids;
}

std::vector<int> VisibleCols(const CSGridWnd& grid)
{
    std::vector<int> cols;
    for (int c = 1; c <= grid.GetColCount(); ++c)
        if (!grid.IsColHidden(c))
            cols.push_back(c);
    return cols;
}

QPushButton* Button(const CsInventoryDlg& dialog, QDialogButtonBox::StandardButton which)
{
    return dialog.Buttons()->button(which);
}

bool WriteFile(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An inventory in a directory of its own, shown through the application's dialogs.
struct InventoryOnDisk {
    explicit InventoryOnDisk(UiServices services)
        : inventory(dir.path().toStdString(), messages), dialogs(services, materials)
    {
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    CsInventory inventory;
    CsMateDb materials;
    CQtInventoryDialogs dialogs;
};

// Maps item i of the CSV import to column i of the file, as the user would in the mapping grid.
void MapItemsInOrder(CCsvImportDlg* csv)
{
    CSGridWnd& mapping = *csv->MappingGrid();
    const CSGridWnd& preview = *csv->PreviewGrid();
    for (int r = 1; r <= mapping.GetRowCount(); ++r)
        mapping.SetValue(r, CCsvImportDlg::ColImportColumn, preview.GetValue(0, r));
}

} // namespace

class InventoryDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CsInventoryDlg> Open(CsStockDb& db, Mode mode)
    {
        auto dialog = std::make_unique<CsInventoryDlg>(db, mode, "crca\ngi\n", ui_.Services());
        dialog->show();
        return dialog;
    }

    test::UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
        QLocale::setDefault(QLocale::c());
    }

    void editModeGivesNewRowsTheNextIds()
    {
        // The inventory's rows, in its layout, with new rows appended by the user.
        CsStockDb db = StockDb(7, {Stock(3, "R3"), Stock(7, "R7", 4)});
        auto dialog = Open(db, Mode::Edit);
        CSGridWnd& grid = *dialog->Grid();
        QCOMPARE(dialog->windowTitle(), QString("Manage Stock Inventory..."));
        QCOMPARE(grid.GetLayoutName(), QString("SLIT_INV_DLG"));
        QVERIFY(dialog->ImportCsvButton()->isVisible());
        QVERIFY(!dialog->ClearStockUsedButton()->isVisible());
        QCOMPARE(VisibleCols(grid), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15}));
        QCOMPARE(grid.GetValue(0, Col::ColCostPerKg), QString("Cost/ Kg"));
        QVERIFY(grid.GetStyle(1, Col::ColId).readOnly.value_or(false));
        QCOMPARE(grid.GetStyle(1, Col::ColId).interior.value_or(QColor()), QColor(192, 192, 192));
        QCOMPARE(grid.GetStyle(1, Col::ColMaterial).choices.value_or(QString()), QString("crca\ngi\n"));
        QCOMPARE(grid.GetValue(2, Col::ColId), QString("7"));
        QCOMPARE(grid.GetValue(2, Col::ColType), QString("Prime"));
        QCOMPARE(grid.GetValue(2, Col::ColQty), QString("4"));
        QCOMPARE(grid.GetValue(2, Col::ColRightTrim), QString("12.5"));
        QCOMPARE(grid.GetValue(2, Col::ColCostPerKg), QString("0.875"));
        QCOMPARE(grid.GetValue(2, Col::ColDate), QString("8 Dec 2026 14:03:05"));

        grid.AppendRow();
        grid.SetValue(3, Col::ColName, "New1");
        grid.SetValue(3, Col::ColWidth, "1000");
        grid.SetValue(3, Col::ColQty, "2");
        grid.AppendRow();
        grid.SetValue(4, Col::ColName, "New2");
        grid.SetValue(4, Col::ColQty, "70000");
        grid.SetValue(4, Col::ColThickness, "0.8");
        grid.AppendRow();  // left blank: no record

        // A record needs its thickness: the row without one is named and made current.
        Button(*dialog, QDialogButtonBox::Ok)->click();
        QVERIFY(dialog->result() != QDialog::Accepted);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{ids::InventoryZeroThickness});
        QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{"3"});
        int row = 0;
        int col = 0;
        grid.GetCurrentCell(row, col);
        QCOMPARE(row, 3);
        QCOMPARE(col, int(Col::ColThickness));
        QCOMPARE(Ids(db), (std::vector<std::int32_t>{3, 7}));
        // In mm whatever the length unit.
        QVERIFY(grid.GetStyle(3, Col::ColThickness).control.value_or(CellControl::Edit) != CellControl::LenEdit);
        grid.SetValue(3, Col::ColThickness, "1.2");
        Button(*dialog, QDialogButtonBox::Ok)->click();

        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(Ids(db), (std::vector<std::int32_t>{3, 7, 8, 9}));
        QCOMPARE(db.LastId, 9);
        // The rows read back as they were: no rounding of lengths, costs or dates.
        const CsStockRec& kept = db.Records[1];
        QCOMPARE(kept.Qty, std::uint16_t{4});
        QCOMPARE(kept.CostPerKg, 0.875);
        QCOMPARE(kept.Thickness, 1.5);
        QCOMPARE(kept.RightTrim, 12.5);
        QVERIFY(kept.Date == Stock(7, "").Date);
        QCOMPARE(db.Records[2].Width, 1000.0);
        QCOMPARE(db.Records[2].Qty, std::uint16_t{2});
        QCOMPARE(db.Records[2].Date.status, std::int32_t{OleDate::Valid});
        // A count beyond what the file holds is the most it holds, not what is left after wrapping.
        QCOMPARE(db.Records[3].Qty, std::uint16_t{65535});

        // An empty inventory offers one row to type into.
        CsStockDb empty = StockDb(0, {});
        auto fresh = Open(empty, Mode::Edit);
        QCOMPARE(fresh->Grid()->GetRowCount(), 1);
        fresh->Grid()->SetValue(1, Col::ColName, "First");
        fresh->Grid()->SetValue(1, Col::ColThickness, "2");
        fresh->accept();
        QCOMPARE(Ids(empty), (std::vector<std::int32_t>{1}));
    }

    void typeReadsWithoutRegardToCase_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("stored");
        QTest::newRow("offcut") << "offcut" << 1;
        QTest::newRow("OFFCUT") << "OFFCUT" << 1;
        QTest::newRow("Offcut") << "Offcut" << 1;
        QTest::newRow("prime") << "prime" << 0;
        QTest::newRow("other") << "scrap" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void typeReadsWithoutRegardToCase()
    {
        QFETCH(QString, type);
        QFETCH(int, stored);
        CsStockDb db = StockDb(1, {Stock(1, "R1")});
        auto dialog = Open(db, Mode::Edit);
        dialog->Grid()->SetValue(1, Col::ColType, type);
        dialog->accept();
        QCOMPARE(int(db.Records.at(0).Type), stored);
    }

    void datesReadBackInTheUsersLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("day");
        QTest::newRow("C") << "C" << "8 Dec 2026 14:03:05" << "8 Dec 2026";
        QTest::newRow("en_US, two-digit years") << "en_US" << "12/8/2026 2:03:05 PM" << "12/8/2026";
        QTest::newRow("de_DE, two-digit years") << "de_DE" << "08.12.2026 14:03:05" << "08.12.2026";
    }

    void datesReadBackInTheUsersLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        QFETCH(QString, day);
        QLocale::setDefault(QLocale(locale));
        const OleDate date = MakeOleDate({2026, 12, 8, 14, 3, 5});
        QCOMPARE(FormatLocaleDateTime(date), shown);
        QCOMPARE(ParseLocaleDateTime(shown), date);
        QCOMPARE(ParseLocaleDateTime(" " + day + " "), MakeOleDate({2026, 12, 8}));

        // Text that is no date is an invalid date, shown as such; a null date shows empty.
        const OleDate invalid = ParseLocaleDateTime("tomorrow");
        QCOMPARE(invalid.status, std::int32_t{OleDate::Invalid});
        QCOMPARE(FormatLocaleDateTime(invalid), QString("Invalid DateTime"));
        QCOMPARE(ParseLocaleDateTime(FormatLocaleDateTime(invalid)).status, std::int32_t{OleDate::Invalid});
        QCOMPARE(FormatLocaleDateTime(OleDate{0.0, OleDate::Null}), QString());

        // Through the dialog, OK keeps the date of a row the user did not touch.
        CsStockDb db = StockDb(1, {Stock(1, "R1")});
        auto dialog = Open(db, Mode::Edit);
        dialog->accept();
        QCOMPARE(db.Records.at(0).Date, date);
    }

    void csvImportReplacesTheInventory()
    {
        CsStockDb db = StockDb(41, {Stock(17, "Old")});
        auto dialog = Open(db, Mode::Edit);
        CSGridWnd& grid = *dialog->Grid();

        // No: nothing happens.
        ui_.messages.answers = {MessageAnswer::No};
        dialog->ImportCsvButton()->click();
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{261}));
        QCOMPARE(grid.GetValue(1, Col::ColName), QString("Old"));

        // Yes, then no file: the edits made in the grid stay.
        grid.SetValue(1, Col::ColName, "Edited");
        test::WhenModal<QFileDialog>([](QFileDialog* files) { files->reject(); });
        dialog->ImportCsvButton()->click();
        QCOMPARE(grid.GetValue(1, Col::ColName), QString("Edited"));

        // Yes, a file and OK: the file's rows with ids from 1; LastId is then one ahead.
        test::WhenModal<QFileDialog>([](QFileDialog* files) {
            QCOMPARE(files->windowTitle(), QString("Import PartList from Comma Separated Value (.CSV) file"));
            QVERIFY(test::ChooseFile(*files, kCsvFixture));
        });
        test::WhenModal<CCsvImportDlg>([](CCsvImportDlg* csv) {
            QCOMPARE(csv->windowTitle(), QString("Csv Stock Input..."));
            QCOMPARE(csv->MappingGrid()->GetValue(9, CCsvImportDlg::ColExample), QString("Remarks text"));
            MapItemsInOrder(csv);
            csv->accept();
        });
        dialog->ImportCsvButton()->click();
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{261, 261, 261}));
        QCOMPARE(Ids(db), (std::vector<std::int32_t>{1, 2, 3}));
        QCOMPARE(db.LastId, 4);
        QCOMPARE(grid.GetRowCount(), 3);
        QCOMPARE(grid.GetValue(2, Col::ColName), QString("R2"));
        QCOMPARE(grid.GetValue(2, Col::ColQty), QString("2"));
        QCOMPARE(grid.GetValue(3, Col::ColMaterial), QString("ss304"));
        QCOMPARE(grid.GetValue(1, Col::ColRemarks), QString("first"));
        QCOMPARE(db.Records[1].Thickness, 1.0);
        QCOMPARE(db.Records[1].CostPerKg, 1.1);
        QCOMPARE(db.Records[1].LeftTrim, 5.0);

        // A row added afterwards takes LastId + 1.
        grid.AppendRow();
        grid.SetValue(4, Col::ColName, "R5");
        grid.SetValue(4, Col::ColThickness, "1");
        Button(*dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(Ids(db), (std::vector<std::int32_t>{1, 2, 3, 5}));
        QCOMPARE(db.LastId, 5);
    }

    void selectionReturnsTheMarkedRows()
    {
        InventoryOnDisk disk(ui_.Services());
        const CsStockDb db = StockDb(3, {Stock(1, "R1"), Stock(2, "R2"), Stock(3, "R3")});
        QVERIFY(WriteFile(disk.inventory.StockDbPath(), QByteArray::fromStdString(db.Bytes())));

        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            CSGridWnd& grid = *dialog->Grid();
            QCOMPARE(dialog->windowTitle(), QString("Import stock from database..."));
            QCOMPARE(grid.GetLayoutName(), QString("SLIT_INV_SEL_DLG"));
            QCOMPARE(VisibleCols(grid), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 15}));
            QVERIFY(!dialog->ImportCsvButton()->isVisible());
            QVERIFY(grid.GetStyle(2, Col::ColName).readOnly.value_or(false));
            QVERIFY(!grid.GetStyle(2, Col::ColSel).readOnly.value_or(false));
            QCOMPARE(grid.GetStyle(2, Col::ColSel).interior.value_or(QColor()), QColor(192, 192, 192));
            // TAB past the last cell adds no row.
            grid.SetCurrentCell(3, Col::ColRemarks);
            QTest::keyClick(&grid, Qt::Key_Tab);
            QCOMPARE(grid.GetRowCount(), 3);
            grid.model()->setData(grid.model()->index(0, Col::ColSel - 1), "1", Qt::EditRole);
            grid.model()->setData(grid.model()->index(2, Col::ColSel - 1), "1", Qt::EditRole);
            dialog->accept();
        });
        std::vector<CsStockRec> picked;
        QCOMPARE(disk.inventory.SelectStock(disk.dialogs, picked), kInventoryDone);
        QCOMPARE(picked.size(), std::size_t{2});
        QCOMPARE(picked[0].Name, std::string("R1"));
        QCOMPARE(picked[1].Name, std::string("R3"));
        QCOMPARE(picked[1].Width, 1250.0);

        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) { dialog->reject(); });
        QCOMPARE(disk.inventory.SelectStock(disk.dialogs, picked), kInventoryCancelled);
        QVERIFY(picked.empty());
    }

    void stocksUsedShowsTheLogAndClearsIt()
    {
        InventoryOnDisk disk(ui_.Services());
        const QString logPath = QString::fromStdString(disk.inventory.StockUsedPath());
        QVERIFY(WriteFile(disk.inventory.StockUsedPath(), "17|A12|2|08/12/2026||crca|2500.00|1250.00|1.00|\n"
                                                         "9|B7|1|09/12/2026||gi|3000.00|1000.00|0.80|\n"));

        // However the dialog is closed, the log stays as it was.
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            CSGridWnd& grid = *dialog->Grid();
            QCOMPARE(dialog->windowTitle(), QString("Stocks Used database..."));
            QCOMPARE(grid.GetLayoutName(), QString("SLIT_INV_STKS_USED_DLG"));
            QCOMPARE(VisibleCols(grid), (std::vector<int>{1, 4, 5, 6, 7, 8, 12, 14}));
            QVERIFY(dialog->ClearStockUsedButton()->isVisible());
            QVERIFY(!Button(*dialog, QDialogButtonBox::Cancel)->isVisible());
            QCOMPARE(grid.GetRowCount(), 2);
            QCOMPARE(grid.GetValue(1, Col::ColId), QString("17"));
            QCOMPARE(grid.GetValue(1, Col::ColOrderNo), QString("A12"));
            QCOMPARE(grid.GetValue(1, Col::ColQty), QString("2"));
            QCOMPARE(grid.GetValue(2, Col::ColMaterial), QString("gi"));
            QCOMPARE(grid.GetValue(2, Col::ColThickness), QString("0.8"));
            QCOMPARE(grid.GetValue(2, Col::ColDate), QString("9 Dec 2026 00:00:00"));
            Button(*dialog, QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(disk.inventory.ViewStockUsed(disk.dialogs), kInventoryDone);
        QVERIFY(QFileInfo(logPath).size() > 0);

        // The clear button asks first; declined, the log stays.
        ui_.messages.answers = {MessageAnswer::No};
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) {
            dialog->ClearStockUsedButton()->click();
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->Grid()->GetRowCount(), 2);
            dialog->reject();
        });
        QCOMPARE(disk.inventory.ViewStockUsed(disk.dialogs), kInventoryDone);
        QVERIFY(QFileInfo(logPath).size() > 0);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{ids::ClearStockUsedAsk});
        QCOMPARE(ui_.messages.shown[0].buttons, MessageButtons::YesNo);

        // Confirmed, it empties the log and closes the dialog.
        ui_.messages.answers = {MessageAnswer::Yes};
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) { dialog->ClearStockUsedButton()->click(); });
        QCOMPARE(disk.inventory.ViewStockUsed(disk.dialogs), kInventoryDone);
        QCOMPARE(QFileInfo(logPath).size(), qint64{0});
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{ids::ClearStockUsedAsk, ids::ClearStockUsedAsk}));
        QVERIFY(disk.messages.shown.empty());
    }
};

QTEST_MAIN(InventoryDlgTest)
#include "inventorydlg_test.moc"
