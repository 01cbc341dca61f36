#include "model/density.h"
#include "model/quantitymode.h"
#include "ui/pages/inputpage.h"
#include "ui/pages/pagedriver.h"
#include "ui/pages/slitspage.h"


using namespace vellicor;
using namespace vellicor::test;

namespace {

using S = CSSlitsPage;

// A long coil that can hold every steel strip of that thickness.
void AddSteelCoil(CVellicorDoc& doc, double thickness)
{
    doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "steel", thickness, 1e6, 1, "", 1, 0, 0));
}

} // namespace

class SlitsPageTest : public QObject {
    Q_OBJECT

private:
    UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void weightModeDerivesTheRequiredLength()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();
        QCOMPARE(grid.GetLayoutName(), QString("SLIT_SLIT_PG"));
        QCOMPARE(grid.GetValue(0, S::ColReqLength), QString("Req. Length"));
        for (int col : {S::ColThickness, S::ColReqWeight, S::ColPriority, S::ColPosition})
            QVERIFY(!grid.IsColHidden(col));

        TypeRow(grid, 1, {"S1", "100", "steel", "1.5", "500"});
        QCOMPARE(grid.GetValue(1, S::ColReqLength), DerivedText(StripLength(500, 100, 1.5, "steel"), 2));
        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetSlitCount(), 1);
        QCOMPARE(doc.GetSlit(0)->RequiredWeight(), 500.0);
        QCOMPARE(doc.GetSlit(0)->Thickness, 1.5);
        QCOMPARE(doc.GetSlit(0)->Kind, KindSlit);
    }

    void shortSlitIsFlaggedAndWarnedAbout()
    {
        CVellicorDoc doc;
        AddSteelCoil(doc, kNominalThickness);
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();
        for (int col : {S::ColThickness, S::ColReqWeight, S::ColPriority, S::ColPosition})
            QVERIFY(grid.IsColHidden(col));

        TypeRow(grid, 1, {"S1", "100", "steel"});
        TypeAndTab(grid, 1, S::ColReqLength, "4000");
        QCOMPARE(grid.GetValue(1, S::ColReqWeight), QString("3440.00"));  // the hidden weight follows
        QVERIFY(!IsFlagged(grid, 1));
        AppendRowByTab(grid);
        QVERIFY(IsFlagged(grid, 1));
        QCOMPARE(grid.GetValue(2, S::ColWidth), QString("100"));
        QCOMPARE(grid.GetValue(2, S::ColMaterial), QString("steel"));
        TypeAndTab(grid, 2, S::ColName, "S2");
        TypeAndTab(grid, 2, S::ColReqLength, "10000");

        QVERIFY(job.Show(TabParts));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{S::kMsgLowLength});
        QCOMPARE(doc.GetSlitCount(), 2);
        QCOMPARE(doc.GetSlit(0)->Thickness, 1000.0);
        QCOMPARE(doc.GetSlit(0)->RequiredWeight(), 8600.0 * 100 * 1000 * 4000 * 1e-9);
        QCOMPARE(doc.GetSlit(0)->RequiredLength(), 4000.0);

        QVERIFY(job.Show(TabSlits));
        QVERIFY(IsFlagged(grid, 1));
        QVERIFY(!IsFlagged(grid, 2));
        QCOMPARE(grid.GetValue(1, S::ColReqLength), QString("4000.00"));
    }

    void priorityOutlivesAPageSwitch()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"S1", "100", "steel", "1.5", "500", QString(), "3"});
        QVERIFY(job.Show(TabParts));
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(grid.GetValue(1, S::ColPriority), QString("3"));
        QCOMPARE(doc.GetSlit(0)->Priority, 3);
    }

    void lengthModeKeepsTheRealThicknessForTheSession()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1.5, 100, 500, "", 0));
        JobWindow job(doc, ui_);
        SetQuantitiesByLength(doc, true);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();
        TypeAndTab(grid, 1, S::ColReqLength, "1000000");
        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetSlit(0)->Thickness, kNominalThickness);

        SetQuantitiesByLength(doc, false);
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(grid.GetValue(1, S::ColThickness), QString("1.5"));
        QCOMPARE(grid.GetNumber(1, S::ColReqWeight), StripWeight(100, 1.5, 1000000, "steel"));
    }

    void slitNamedLikeAPartIsRefused()
    {
        CVellicorDoc doc;
        doc.AddPart(std::make_unique<CCoilPart>("P1", "steel", 1000, 300, 200, 5, "", 1, 0));
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        TypeRow(job.Grid(), 1, {"p1", "100"});
        QVERIFY(!job.Show(TabParts));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSInputPage::kMsgDuplicatePartName});
        QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{"p1"});
        QCOMPARE(ui_.messages.shown[0].icon, MessageIcon::Question);
        QCOMPARE(job.Sheet().currentIndex(), int(TabSlits));
        QCOMPARE(doc.GetSlitCount(), 0);
    }

    void fillersAreEditedWhereTheyWereEntered()
    {
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        AddSteelCoil(doc, 1.5);
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"S1", "100", "steel", "1.5", "500"});
        grid.AppendRow();
        TypeRow(grid, 2, {"F1", "50", "steel", "1.5", "-1", QString(), QString(), "2"});

        // A negative requirement makes a filler, which is no short slit.
        QVERIFY(job.Show(TabParts));
        QVERIFY(ui_.messages.Ids().empty());
        QCOMPARE(doc.GetSlitCount(), 1);
        QCOMPARE(doc.GetFillerCount(), 1);
        const CCoilPart& filler = *doc.GetFiller(0);
        QCOMPARE(filler.Name, std::string("F1"));
        QCOMPARE(filler.Width, 50.0);
        QCOMPARE(filler.Priority, 2);
        QCOMPARE(filler.Quantity, UnlimitedQty);

        // Shown after the slits, with -1 as its requirement and its position.
        QVERIFY(job.Show(TabSlits));
        QCOMPARE(grid.GetRowCount(), 2);
        QCOMPARE(Row(grid, 2), (QStringList{"F1", "50", "steel", "1.5", "-1", "-1", "", "2", ""}));
        QVERIFY(!IsFlagged(grid, 2));

        TypeAndTab(grid, 2, S::ColWidth, "60");
        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetFillerCount(), 1);
        QCOMPARE(doc.GetFiller(0)->Width, 60.0);
        QCOMPARE(doc.GetFiller(0)->Priority, 2);
        QCOMPARE(doc.GetSlitCount(), 1);

        QVERIFY(job.Show(TabSlits));
        DeleteRow(grid, 2);
        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetFillerCount(), 0);
        QCOMPARE(doc.GetSlitCount(), 1);

        // In length mode a negative required length makes one.
        doc.QtyByLength = 1;
        QVERIFY(job.Show(TabSlits));
        grid.AppendRow();
        TypeAndTab(grid, 2, S::ColName, "F2");
        TypeAndTab(grid, 2, S::ColReqLength, "-1");
        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetFillerCount(), 1);
        QCOMPARE(doc.GetFiller(0)->Name, std::string("F2"));
        QCOMPARE(doc.GetFiller(0)->Thickness, 1000.0);
        QCOMPARE(doc.GetSlitCount(), 1);
    }

    void csvImportFillsTheEmptyRow()
    {
        SetUnitSettings(UnitSettings{.lengthUnit = kUnitCm});
        ui_.store.WriteString("Part_Csv", "MappedColumnNos", "1::2::3::4::5::");
        ui_.store.WriteString("Part_Csv", "MappedColumnDefaults", "::::::::::");
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabSlits));
        CSGridWnd& grid = job.Grid();

        WhenImporting(VELLICOR_UI_FIXTURES "/slits.csv", "Csv Part Input...",
                      {"Name", "Width", "Material", "Req. Length", "Remarks"},
                      {"s1", "100", "steel", "1000", "slit 1"});
        Button(job.PageAt<S>(TabSlits), S::IdImportCsv)->click();

        QCOMPARE(grid.GetRowCount(), 2);
        QCOMPARE(Row(grid, 1), (QStringList{"s1", "100", "steel", "", "", "40000", "", "", "first slit"}));
        QCOMPARE(grid.GetValue(2, S::ColName), QString("s2"));

        QVERIFY(job.Show(TabParts));
        QCOMPARE(doc.GetSlitCount(), 2);
        QCOMPARE(doc.GetSlit(1)->RequiredLength(), 30000.0);
        QCOMPARE(doc.GetSlit(1)->Material, std::string("crca"));
    }
};

QTEST_MAIN(SlitsPageTest)
#include "slitspage_test.moc"
