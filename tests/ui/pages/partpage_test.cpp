#include "ui/dialogs/autonamedlg.h"
#include "ui/pages/pagedriver.h"
#include "ui/pages/partpage.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QLabel>
#include <QPushButton>

using namespace vellicor;
using namespace vellicor::test;

namespace {

using P = CSPartPage;

QPushButton* Button(const JobWindow& job, int id)
{
    return test::Button(job.PageAt<P>(TabParts), id);
}

} // namespace

class PartPageTest : public QObject {
    Q_OBJECT

private:
    UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void trailingEmptyRowKeepsThePageUntilDeleted()
    {
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabParts));
        CSGridWnd& grid = job.Grid();
        QCOMPARE(grid.GetLayoutName(), QString("SLIT_PART_PG"));
        QVERIFY(grid.IsColHidden(P::ColThickness));
        QVERIFY(grid.IsColHidden(P::ColPriority));
        auto* note = job.PageAt<P>(TabParts).findChild<QLabel*>(QString::number(P::IdNote));
        QCOMPARE(note->text(), QString("NOTE :- If part is not rotated, the length side will be along the width of the coil."));

        TypeRow(grid, 1, {"P1", "300", "200", "1", "10", "steel"});
        AppendRowByTab(grid);
        QCOMPARE(grid.GetRowCount(), 2);
        for (int col : {P::ColLength, P::ColWidth, P::ColRotation, P::ColMaterial})
            QCOMPARE(grid.GetValue(2, col), grid.GetValue(1, col));
        QVERIFY(grid.GetValue(2, P::ColQty).isEmpty());

        QVERIFY(!job.Show(TabResults));
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSInputPage::kMsgEmptyPartName});
        QCOMPARE(doc.GetPartCount(), 0);

        DeleteRow(grid, 2);
        QCOMPARE(grid.GetRowCount(), 1);
        QVERIFY(job.Show(TabResults));
        QCOMPARE(doc.GetPartCount(), 1);
        const CCoilPart& part = *doc.GetPart(0);
        QCOMPARE(part.Thickness, 1000.0);
        QCOMPARE(part.Length, 300.0);
        QCOMPARE(part.Width, 200.0);
        QCOMPARE(part.Rotation, 1);
        QCOMPARE(part.PieceCount(), 10);
        QCOMPARE(part.Material, std::string("steel"));
    }

    void partNamedLikeASlitOrFillerIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a slit in other case") << "s1" << true;
        QTest::newRow("a filler in other case") << "f1" << true;
        QTest::newRow("a name of its own") << "P1" << false;
    }

    void partNamedLikeASlitOrFillerIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        CVellicorDoc doc;
        doc.AddSlit(std::make_unique<CCoilPart>("S1", "steel", 1000, 100, 500, "", 0));
        doc.AddSlit(std::make_unique<CCoilPart>("F1", "steel", 1000, 50, -1, "", 0));
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabParts));
        TypeRow(job.Grid(), 1, {name, "300", "200"});
        QCOMPARE(job.Show(TabResults), !refused);
        if (refused) {
            QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSInputPage::kMsgDuplicatePartName});
            QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{name.toStdString()});
        }
        QCOMPARE(doc.GetPartCount(), refused ? 0 : 1);
    }

    void autoNamesFollowTheExpression()
    {
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabParts));
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"", "1250", "900", "1", "4"});
        grid.AppendRow();
        TypeRow(grid, 2, {"", "900", "500"});

        // First use: "Number"; the planner writes an expression of his own.
        WhenShown<CAutoNameDlg>([](CAutoNameDlg& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Generate names automatically..."));
            QCOMPARE(dialog.NameList()->currentIndex(), int(CAutoNameDlg::ChoiceNumber));
            QVERIFY(!dialog.ExpressionEdit()->isEnabled());
            dialog.NameList()->setCurrentIndex(CAutoNameDlg::ChoiceExpression);
            QVERIFY(dialog.ExpressionEdit()->isEnabled());
            QCOMPARE(dialog.Expression(), QString("$N"));
            dialog.ExpressionEdit()->setText("S$N[$Lx$W]");
            dialog.accept();
        });
        Button(job, P::IdAutoNames)->click();
        QCOMPARE(Column(grid, P::ColName), (QStringList{"S1[1250x900]", "S2[900x500]"}));
        QCOMPARE(ui_.store.GetProfileString("AutoName", "Part", ""), std::string("S$N[$Lx$W]"));
        QVERIFY(grid.IsModified());

        // Next time the expression comes back; Cancel names nothing.
        WhenShown<CAutoNameDlg>([](CAutoNameDlg& dialog) {
            QCOMPARE(dialog.NameList()->currentIndex(), int(CAutoNameDlg::ChoiceExpression));
            QCOMPARE(dialog.Expression(), QString("S$N[$Lx$W]"));
            dialog.NameList()->setCurrentIndex(CAutoNameDlg::ChoiceNumberLengthWidth);
            QCOMPARE(dialog.Expression(), QString("$N_$L_$W"));
            dialog.reject();
        });
        Button(job, P::IdAutoNames)->click();
        QCOMPARE(Column(grid, P::ColName), (QStringList{"S1[1250x900]", "S2[900x500]"}));

        QCOMPARE(QString::fromStdString(ExpandAutoName("$M-$Q-$N_$L_$W", 3, "1.5", "2", 7, "steel")),
                 QString("steel-7-3_1.5_2"));
        QVERIFY(job.Show(TabResults));
        QCOMPARE(doc.GetPart(1)->Name, std::string("S2[900x500]"));
    }

    void partsNoCoilCanCarryAreLightRed_data()
    {
        QTest::addColumn<QString>("material");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("flagged");
        QTest::newRow("fits") << "steel" << 2.0 << 900.0 << 1200.0 << 0 << false;
        QTest::newRow("fits when turned") << "steel" << 2.0 << 1200.0 << 900.0 << 1 << false;
        QTest::newRow("too wide unturned") << "steel" << 2.0 << 1200.0 << 900.0 << 0 << true;
        QTest::newRow("other material") << "crca" << 2.0 << 900.0 << 900.0 << 0 << true;
        QTest::newRow("other thickness") << "steel" << 2.001 << 900.0 << 900.0 << 0 << true;
    }

    void partsNoCoilCanCarryAreLightRed()
    {
        QFETCH(QString, material);
        QFETCH(double, thickness);
        QFETCH(double, length);
        QFETCH(double, width);
        QFETCH(int, rotation);
        QFETCH(bool, flagged);
        CVellicorDoc doc;
        doc.QtyByLength = 0;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1010, "steel", 2.0, 10000, 1, "", 1, 5, 5));
        doc.AddPart(std::make_unique<CCoilPart>("P1", material.toStdString(), thickness, length, width, 10, "", rotation,
                                                0));
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabParts));
        CSGridWnd& grid = job.Grid();
        QCOMPARE(IsFlagged(grid, 1), flagged);
        QVERIFY(!grid.IsColHidden(P::ColThickness));
        QCOMPARE(grid.GetStyle(1, P::ColRemarks).tooltip.value_or(""),
                 "ReqWt =" + QString::fromStdString(FormatNumber(doc.GetPart(0)->RequiredWeight(), 2)));
    }

    void csvImportAddsParts()
    {
        SetUnitSettings(UnitSettings{.lengthUnit = kUnitCm});
        ui_.store.WriteString("Part_Csv", "MappedColumnNos", "1::2::3::4::5::6::7::");
        ui_.store.WriteString("Part_Csv", "MappedColumnDefaults", "::::::::::::::");
        CVellicorDoc doc;
        JobWindow job(doc, ui_);
        QVERIFY(job.Show(TabParts));
        CSGridWnd& grid = job.Grid();
        TypeRow(grid, 1, {"P0", "10", "10"});

        WhenImporting(VELLICOR_UI_FIXTURES "/parts.csv", "Csv Part Input...",
                      {"Name", "Length", "Width", "Rotation", "Qty", "Material", "Remarks"},
                      {"1", "100", "200", "1", "10", "steel", "part 1"});
        Button(job, P::IdImportCsv)->click();

        QCOMPARE(Column(grid, P::ColName), (QStringList{"P0", "P1", "P2"}));
        QCOMPARE(Row(grid, 2), (QStringList{"P1", "300", "200", "1", "10", "steel", "", "", "first part"}));
        QVERIFY(job.Show(TabResults));
        QCOMPARE(doc.GetPartCount(), 3);
        QCOMPARE(doc.GetPart(2)->Rotation, 0);
        QCOMPARE(doc.GetPart(2)->Width, 120.0);
    }
};

QTEST_MAIN(PartPageTest)
#include "partpage_test.moc"
