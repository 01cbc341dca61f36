#include "inventory/inventory.h"
#include "inventory/inventorydialogs.h"
#include "inventory/stockdb.h"
#include "model/density.h"
#include "platform/stringids.h"
#include "model/quantitymode.h"
#include "ui/grid/lenedititem.h"
#include "ui/pages/pagedriver.h"
#include "ui/pages/stockpage.h"

#include <QTemporaryDir>

#include <algorithm>

using namespace vellicor;
using namespace vellicor::test;

namespace {

using S = CSStockPage;

// The inventory dialog's selection, picking the records with the listed ids.
struct PickingDialogs : IInventoryDialogs {
    bool EditInventory(CsStockDb&) override { return false; }
    bool SelectStock(CsStockDb& db) override
    {
        for (CsStockRec& rec : db.Records)
            rec.Sel = std::count(ids.begin(), ids.end(), rec.Id) > 0;
        return true;
    }
    void ViewStockUsed(const std::vector<CsStockUsedRec>&, IInventoryStore&) override {}

    std::vector<int> ids;
};

CsStockRec InventoryCoil(const std::string& name, double length, double width, std::uint16_t qty)
{
    CsStockRec rec;
    rec.Name = name;
    rec.Length = length;
    rec.Width = width;
    rec.Thickness = 1.5;
    rec.Qty = qty;
    rec.Material = "crca";
    rec.CostPerKg = 0.8;
    rec.LeftTrim = 5;
    rec.RightTrim = 6;
    rec.Remarks = "prime";
    return rec;
}

} // namespace

class StockPageTest : public QObject {
    Q_OBJECT

private:
    UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void emptyJobShowsOneEmptyRowAndStoresNoCoil()
    {
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();
        QCOMPARE(job.Sheet().currentIndex(), int(TabRolls));
        QCOMPARE(grid.GetRowCount(), 1);
        for (int c = 1; c <= grid.GetColCount(); ++c)
            QVERIFY(grid.GetValue(1, c).isEmpty());
        QCOMPARE(grid.GetLayoutName(), QString("SLIT_STOCK_PG"));
        QCOMPARE(grid.GetStyle(1, S::ColMaterial).choices.value_or(""), kMaterials);
        QCOMPARE(grid.GetStyle(1, S::ColRemarks).tooltip.value_or(""),
                 QString("Press TAB in the Remarks Column of the Last Row, to make a NEW ROW."));
        QVERIFY(!Button(job.PageAt<S>(TabRolls), S::IdImportInventory)->isEnabled());

        // Length mode: the length and its cost are typed, thickness, weight and "Used" are hidden.
        for (int col : {S::ColThickness, S::ColWeight, S::ColUsed})
            QVERIFY(grid.IsColHidden(col));
        QCOMPARE(grid.GetValue(0, S::ColLength), QString("Length/ Coil"));
        QCOMPARE(grid.GetValue(0, S::ColCost), QString("Cost/ Len"));

        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoilCount(), 0);
        QVERIFY(!doc.IsModified());

        // A row with nothing but a remark is left out.
        QVERIFY(job.Show(TabRolls));
        Type(grid, 1, S::ColRemarks, "spare");
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoilCount(), 0);
        QVERIFY(ui_.messages.Ids().empty());
    }

    void lengthModeDerivesTheWeightAndFlagsShortCoils()
    {
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"C1", "1000", "2", "steel"});
        TypeAndTab(grid, 1, S::ColLength, "19000");
        TypeAndTab(grid, 1, S::ColCost, "2");
        QCOMPARE(grid.GetValue(1, S::ColWeight), QString("163400"));  // the hidden weight follows the length
        QVERIFY(!IsFlagged(grid, 1));

        // The next row starts as a copy of this one; the short coil turns light red.
        AppendRowByTab(grid);
        QCOMPARE(grid.GetRowCount(), 2);
        QVERIFY(IsFlagged(grid, 1));
        for (int col : {S::ColWidth, S::ColQty, S::ColMaterial, S::ColLength, S::ColCost})
            QCOMPARE(grid.GetValue(2, col), grid.GetValue(1, col));
        QVERIFY(grid.GetValue(2, S::ColName).isEmpty());
        TypeAndTab(grid, 2, S::ColName, "C2");
        TypeAndTab(grid, 2, S::ColLength, "25000");

        QVERIFY(job.Show(TabSlits));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{S::kMsgLowLength});
        QCOMPARE(doc.GetCoilCount(), 2);
        const CCoil& c1 = *doc.GetCoil(0);
        QCOMPARE(c1.Name, std::string("C1"));
        QCOMPARE(c1.Thickness, 1000.0);
        QCOMPARE(c1.WeightPerCoil, 8600.0 * 1000 * 1000 * 19000 * 1e-9);
        QCOMPARE(c1.Qty, 2);
        QCOMPARE(c1.Material, std::string("steel"));
        QCOMPARE(c1.CostPerKg, 2 / StripWeight(1000, 1000, 1, "steel"));  // per millimetre of coil
        QCOMPARE(doc.GetCoil(1)->WeightPerCoil, 215000.0);

        // Shown again: the short coil only is flagged, the cost is per length again.
        QVERIFY(job.Show(TabRolls));
        QVERIFY(IsFlagged(grid, 1));
        QVERIFY(!IsFlagged(grid, 2));
        QCOMPARE(grid.GetValue(1, S::ColCost), QString("2"));
        QCOMPARE(grid.GetValue(1, S::ColLength), QString("19000.00"));
    }

    void pageKeepsTheModeItWasLoadedIn()
    {
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"C1", "1000", "1", "steel"});
        TypeAndTab(grid, 1, S::ColLength, "50000");
        TypeAndTab(grid, 1, S::ColCost, "2");

        // "Quantities by Length" switched off while the page shows lengths and costs per length.
        doc.QtyByLength = 0;
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoil(0)->Thickness, 1000.0);
        QCOMPARE(doc.GetCoil(0)->LengthPerCoil(), 50000.0);
        QCOMPARE(doc.GetCoil(0)->CostPerKg, 2 / StripWeight(1000, 1000, 1, "steel"));

        QVERIFY(job.Show(TabRolls));
        QVERIFY(!grid.IsColHidden(S::ColWeight));
        QCOMPARE(grid.GetValue(0, S::ColCost), QString("Cost/ Kg"));
    }

    void lengthModeKeepsTheRealThicknessForTheSession()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 12000, 3, "", 0.82, 5, 5));
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();

        // Switched to length mode, a length is edited: the job keeps the nominal thickness.
        QVERIFY(job.Show(TabSlits));
        SetQuantitiesByLength(doc, true);
        QVERIFY(job.Show(TabRolls));
        TypeAndTab(grid, 1, S::ColLength, "500000");
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoil(0)->Thickness, kNominalThickness);

        // Back in weight mode the real thickness and the weight of that length at it come back.
        SetQuantitiesByLength(doc, false);
        QVERIFY(job.Show(TabRolls));
        QCOMPARE(grid.GetValue(1, S::ColThickness), QString("1.5"));
        QCOMPARE(grid.GetNumber(1, S::ColWeight), StripWeight(1250, 1.5, 500000, "crca"));
        QCOMPARE(doc.GetCoil(0)->Thickness, 1.5);
    }

    void weightModeDerivesTheLength()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "crca", 1.5, 12000, 3, "", 0.82, 5, 5));
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();
        for (int col : {S::ColThickness, S::ColWeight, S::ColUsed})
            QVERIFY(!grid.IsColHidden(col));
        QCOMPARE(grid.GetValue(0, S::ColCost), QString("Cost/ Kg"));
        QCOMPARE(grid.GetValue(1, S::ColLength), QString("744186.05"));
        QCOMPARE(grid.GetValue(1, S::ColCost), QString("0.82"));

        TypeAndTab(grid, 1, S::ColWeight, "6000");
        QCOMPARE(grid.GetValue(1, S::ColLength), PlainNumberText(StripLength(6000, 1250, 1.5, "crca")));
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoil(0)->WeightPerCoil, 6000.0);
        QCOMPARE(doc.GetCoil(0)->Thickness, 1.5);
        QCOMPARE(doc.GetCoil(0)->CostPerKg, 0.82);
        QVERIFY(ui_.messages.Ids().empty());
    }

    void typedCellsSayAtOnceWhatIsWrong_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("letter O for zero") << int(S::ColWidth) << "125O" << int(ids::CellNotNumber)
                                           << QStringList{"1", "Width", "125O"};
        QTest::newRow("letters after digits") << int(S::ColQty) << "12abc" << int(ids::CellNotNumber)
                                              << QStringList{"1", "Qty", "12abc"};
        QTest::newRow("negative length") << int(S::ColLength) << "-5000" << int(ids::CellNegative)
                                         << QStringList{"1", "Length/ Coil"};
        QTest::newRow("negative cost") << int(S::ColCost) << "-2" << int(ids::CellNegative)
                                       << QStringList{"1", "Cost/ Len"};
        QTest::newRow("a number") << int(S::ColWidth) << " 1250.5 " << 0 << QStringList{};
        QTest::newRow("a name") << int(S::ColName) << "12abc" << 0 << QStringList{};
    }

    void typedCellsSayAtOnceWhatIsWrong()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(int, message);
        QFETCH(QStringList, args);
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        TypeAndTab(job.Grid(), 1, col, text);
        if (message == 0) {
            QTest::qWait(20);
            QVERIFY(ui_.messages.Ids().empty());
            return;
        }
        QTRY_COMPARE(ui_.messages.Ids(), std::vector<int>{message});
        std::vector<std::string> expected;
        for (const QString& arg : args)
            expected.push_back(arg.toStdString());
        QCOMPARE(ui_.messages.shown[0].args, expected);
    }

    void rowsAreCheckedWhenThePageIsLeft_data()
    {
        QTest::addColumn<QList<QStringList>>("rows");  // name, width, qty
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("coils");
        QTest::newRow("names differing in case") << QList<QStringList>{{"C1", "100"}, {"c1", "100"}} << 0 << 2;
        QTest::newRow("the same name") << QList<QStringList>{{"C1", "100"}, {"C1", "100"}} << S::kMsgDuplicateName << 0;
        QTest::newRow("the same name among blanks")
            << QList<QStringList>{{"C1 ", "100"}, {" C1", "100"}} << S::kMsgDuplicateName << 0;
        QTest::newRow("second row without a name") << QList<QStringList>{{"C1", "100"}, {"", "100"}} << S::kMsgEmptyName
                                                     << 0;
        QTest::newRow("zero width") << QList<QStringList>{{"C1", "100"}, {"C2", "0"}} << S::kMsgZeroWidth << 0;
        QTest::newRow("unnamed first row with a quantity only")
            << QList<QStringList>{{"", "", "3"}} << S::kMsgZeroWidth << 0;
        QTest::newRow("unnamed first row with a width") << QList<QStringList>{{"", "100"}} << 0 << 1;
    }

    void rowsAreCheckedWhenThePageIsLeft()
    {
        QFETCH(QList<QStringList>, rows);
        QFETCH(int, message);
        QFETCH(int, coils);
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();
        for (int r = 0; r < rows.size(); ++r) {
            if (r > 0)
                grid.AppendRow();
            TypeRow(grid, r + 1, rows[r]);
            TypeAndTab(grid, r + 1, S::ColLength, "50000");
        }
        QCOMPARE(job.Show(TabSlits), message == 0);
        if (message == 0) {
            QVERIFY(ui_.messages.Ids().empty());
        } else {
            QCOMPARE(ui_.messages.Ids(), std::vector<int>{message});
            QCOMPARE(job.Sheet().currentIndex(), int(TabRolls));
        }
        // The failing row is the last one; the message names it.
        if (message == S::kMsgEmptyName || message == S::kMsgZeroWidth) {
            const std::string row = std::to_string(rows.size());
            QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{row});
            QVERIFY(ui_.messages.shown[0].text.ends_with("(row " + row + ")"));
        }
        if (message == S::kMsgDuplicateName) {
            QCOMPARE(ui_.messages.shown[0].icon, MessageIcon::Question);
            QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{"C1"});
        }
        QCOMPARE(doc.GetCoilCount(), coils);
    }

    void inventoryRecordsComeInOnce()
    {
        QTemporaryDir dir;
        CsInventory inventory(dir.path().toStdString(), ui_.messages);
        std::vector<CsStockRec> stock{InventoryCoil("coil A", 30000, 1250, 3), InventoryCoil("coil B", 20000, 1000, 1)};
        QCOMPARE(inventory.AppendStock(stock), kInventoryDone);
        PickingDialogs dialogs;
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        JobWindow job(doc, ui_, &inventory, &dialogs);
        CSGridWnd& grid = job.Grid();
        QPushButton* button = Button(job.PageAt<S>(TabRolls), S::IdImportInventory);
        QVERIFY(button->isEnabled());

        // Into the empty row, with the weight of the record's length.
        dialogs.ids = {1};
        button->click();
        QCOMPARE(grid.GetRowCount(), 1);
        QCOMPARE(Row(grid, 1), (QStringList{"1", "1250", "3", "crca", "1.5",
                                            PlainNumberText(StripWeight(1250, 1.5, 30000, "crca")), "30000", "0.8", "",
                                            "5", "6", "prime [SName:coil A]"}));
        QVERIFY(grid.IsModified());
        QVERIFY(ui_.messages.Ids().empty());

        // The same record again is left out and named.
        dialogs.ids = {1, 2};
        button->click();
        QCOMPARE(Column(grid, S::ColName), (QStringList{"1", "2"}));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{S::kMsgAlreadyInJob});
        QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{"1\n"});
        QCOMPARE(ui_.messages.shown[0].icon, MessageIcon::Question);

        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoilCount(), 2);
        QCOMPARE(doc.GetCoil(1)->Name, std::string("2"));
        QCOMPARE(doc.GetCoil(1)->LengthPerCoil(), 20000.0);
    }

    void csvImportAddsRowsAfterTheCoils()
    {
        SetUnitSettings(UnitSettings{.lengthUnit = kUnitCm});
        ui_.store.WriteString("Stock_Csv", "MappedColumnNos", "1::2::3::4::5::6::7::8::9::");
        ui_.store.WriteString("Stock_Csv", "MappedColumnDefaults", "::::::::::::::::::");
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>("C0", 1000, "steel", 1000, 100, 1, "", 1, 0, 0));
        JobWindow job(doc, ui_);
        CSGridWnd& grid = job.Grid();

        WhenImporting(VELLICOR_UI_FIXTURES "/stock.csv", "Csv Stock Input...",
                      {"Name", "Width", "Qty", "Material", "Length/ Coil", "Cost/ Len", "Left Trim", "Right Trim",
                       "Remarks"},
                      {"C1", "2000", "100", "steel", "50000", "2", "10", "10", "Stock1"});
        Button(job.PageAt<S>(TabRolls), S::IdImportCsv)->click();

        // Lengths in the file are centimetres, the cells keep millimetres.
        QCOMPARE(Column(grid, S::ColName), (QStringList{"C0", "R1", "R2"}));
        QCOMPARE(Row(grid, 2), (QStringList{"R1", "1250", "4", "steel", "", "", "40000", "3", "", "10", "15", "first"}));
        QVERIFY(grid.IsModified());

        QVERIFY(job.Show(TabSlits));
        QCOMPARE(doc.GetCoilCount(), 3);
        QCOMPARE(doc.GetCoil(1)->CostPerKg, 3 / StripWeight(1250, 1000, 10, "steel"));
        QCOMPARE(doc.GetCoil(2)->LengthPerCoil(), 50000.0);
    }
};

QTEST_MAIN(StockPageTest)
#include "stockpage_test.moc"
