#include "model/vellicordoc.h"
#include "support/uifixture.h"
#include "ui/dialogs/editpatterndlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/drawing/layoutdrawing.h"
#include "ui/grid/lenedit.h"
#include "ui/uitext.h"
#include "units/units.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vellicor;

namespace {

using Col = CEditPatternDlg::Column;

// Coils K1 (1000 mm, trims 10 and 15) and K2 (800 mm, trims 5 and 5), 1 mm crca; part P1 250 mm
// across and 300 mm along, turnable; part P2 400 x 500, not turnable; slits S1 120 and S2 200 and
// filler F1 50 unless `slits` is false; kerf 1. Layout 0: 100 m of K1 cutting P1, P1 turned and
// S1; layout 1: 50 m of K2 cutting S1 and S2.
std::unique_ptr<CVellicorDoc> MakeJob(bool slits = true)
{
    auto doc = std::make_unique<CVellicorDoc>();
    doc->QtyByLength = 0;
    doc->Settings.Kerf = 1.0;
    doc->AddCoil(std::make_unique<CCoil>("K1", 1000.0, "crca", 1.0, 8600.0, 2, "", 1.0, 10.0, 15.0));
    doc->AddCoil(std::make_unique<CCoil>("K2", 800.0, "crca", 1.0, 6880.0, 2, "", 1.0, 5.0, 5.0));
    doc->AddPart(std::make_unique<CCoilPart>("P1", "crca", 1.0, 250.0, 300.0, 10, "", 1, 0));
    doc->AddPart(std::make_unique<CCoilPart>("P2", "crca", 1.0, 400.0, 500.0, 5, "", 0, 0));
    CSlitPosList first;
    first.push_back(std::make_unique<CLayoutSlit>(0, doc->GetPart(0)));
    first.push_back(std::make_unique<CLayoutSlit>(1, doc->GetPart(0)));
    if (slits) {
        doc->AddSlit(std::make_unique<CCoilPart>("S1", "crca", 1.0, 120.0, 500.0, "", 0));
        doc->AddSlit(std::make_unique<CCoilPart>("S2", "crca", 1.0, 200.0, 300.0, "", 0));
        doc->AddSlit(std::make_unique<CCoilPart>("F1", "crca", 1.0, 50.0, -1.0, "", 0));
        first.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
    }
    doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(0), std::move(first), 860.0, 1.0));
    if (slits) {
        CSlitPosList second;
        second.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(0)));
        second.push_back(std::make_unique<CLayoutSlit>(0, doc->GetSlit(1)));
        doc->Layouts.Add(std::make_unique<CLayout>(doc->GetCoil(1), std::move(second), 344.0, 1.0));
    }
    return doc;
}

// What the user chose or typed into a cell.
void Type(CEditPatternDlg& dialog, int row, int col, const QString& text)
{
    QAbstractItemModel* model = dialog.Grid()->model();
    model->setData(model->index(row - 1, col - 1), text, Qt::EditRole);
}

QStringList Column(const CSGridWnd& grid, int col)
{
    QStringList values;
    for (int r = 1; r <= grid.GetRowCount(); ++r)
        values << grid.GetValue(r, col);
    return values;
}

std::vector<int> Rotations(const CLayout& layout)
{
    std::vector<int> rotated;
    for (const auto& slit : layout.SlitPositions)
        rotated.push_back(slit->Rotated);
    return rotated;
}

std::vector<std::string> Names(const CLayout& layout)
{
    std::vector<std::string> names;
    for (const auto& slit : layout.SlitPositions)
        names.push_back(slit->PartName());
    return names;
}

} // namespace

class EditPatternDlgTest : public QObject {
    Q_OBJECT

private:
    test::UiFixture ui_;

private slots:
    void init() { ui_.Reset(); }

    void opensOnTheLayout()
    {
        auto doc = MakeJob();
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        QCOMPARE(dialog.CoilList()->count(), 2);
        QCOMPARE(dialog.CoilList()->currentText(), QString("K1"));
        QCOMPARE(dialog.WidthText()->text(), QString("1000"));
        QCOMPARE(dialog.MaterialText()->text(), QString("crca"));
        QCOMPARE(dialog.PatternLengthEdit()->text(), QString("100000"));
        // 1000 - 25 trims - 670 of items - 3 kerfs.
        QCOMPARE(dialog.RemainingWidthText()->text(), QString("302"));

        CSGridWnd& grid = *dialog.Grid();
        QCOMPARE(Column(grid, Col::ColType), QStringList({"Part", "Part", "Slit"}));
        QCOMPARE(Column(grid, Col::ColItem), QStringList({"P1", "P1", "S1"}));
        QCOMPARE(Column(grid, Col::ColWidth), QStringList({"250", "300", "120"}));
        // What the layout makes of each item: P1 (250 + 300) x 860 / 1000.
        QCOMPARE(Column(grid, Col::ColWeightProduced), QStringList({"473", "473", "103.2"}));
        QCOMPARE(grid.GetValue(1, Col::ColLengthProduced), QString("100000"));
        QCOMPARE(*grid.GetStyle(1, Col::ColType).choices, QString("Part\nSlit\nFiller\n"));
        QCOMPARE(*grid.GetStyle(1, Col::ColItem).choices, QString("P1\nP2\n"));
        QCOMPARE(*grid.GetStyle(3, Col::ColItem).choices, QString("S1\nS2\n"));
        QCOMPARE(*grid.GetStyle(1, Col::ColWidth).choices, QString("250\n300\n"));
        QCOMPARE(*grid.GetStyle(3, Col::ColWidth).choices, QString("120\n"));
        QVERIFY(!grid.IsColHidden(Col::ColLengthProduced));
        QVERIFY(!grid.IsColHidden(Col::ColWeightProduced));
        QVERIFY(!grid.IsModified());

        int slits = 0;
        for (const DraftSegment& s : dialog.Drawing()->Segments())
            slits += s.kind == DraftSegment::Kind::Slit;
        QCOMPARE(slits, 3);
    }

    // The coil's width and material and the rest width are shown, not typed: they look it and
    // take no keys, unlike the pattern length beside them.
    void shownFiguresLookReadOnly()
    {
        auto doc = MakeJob();
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto background = [](QWidget* box) {
            return box->grab().toImage().pixelColor(box->width() - 6, box->height() / 2);
        };
        const QColor editable = background(dialog.PatternLengthEdit());
        for (QLineEdit* shown : {dialog.WidthText(), dialog.MaterialText(), dialog.RemainingWidthText()}) {
            QVERIFY(shown->isReadOnly());
            QVERIFY2(background(shown) != editable, qPrintable(background(shown).name()));
            const QString before = shown->text();
            QTest::keyClicks(shown, "9");
            QCOMPARE(shown->text(), before);
        }
    }

    void rowsFollowTypeItemAndWidth_data()
    {
        QTest::addColumn<bool>("slits");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("width");
        QTest::newRow("to Slit: the first slit") << true << int(Col::ColType) << "Slit" << "Slit" << "S1" << "120";
        QTest::newRow("to Slit without slits") << false << int(Col::ColType) << "Slit" << "Slit" << "" << "0";
        QTest::newRow("to Filler") << true << int(Col::ColType) << "Filler" << "Filler" << "F1" << "50";
        QTest::newRow("another part: its length") << true << int(Col::ColItem) << "P2" << "Part" << "P2" << "400";
        QTest::newRow("neither length nor width") << true << int(Col::ColWidth) << "123" << "Part" << "P1" << "250";
        QTest::newRow("the width: turned") << true << int(Col::ColWidth) << "300.0" << "Part" << "P1" << "300";
    }

    void rowsFollowTypeItemAndWidth()
    {
        QFETCH(bool, slits);
        QFETCH(int, col);
        QFETCH(QString, typed);
        auto doc = MakeJob(slits);
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        CSGridWnd& grid = *dialog.Grid();
        Type(dialog, 1, col, typed);
        QTRY_VERIFY(!grid.IsModified());
        QTEST(grid.GetValue(1, Col::ColType), "type");
        QTEST(grid.GetValue(1, Col::ColItem), "item");
        QTEST(grid.GetValue(1, Col::ColWidth), "width");
        // The drawing shows the row as it is now.
        QFETCH(QString, item);
        const auto& segments = dialog.Drawing()->Segments();
        const auto first = std::find_if(segments.begin(), segments.end(),
                                        [](const DraftSegment& s) { return s.kind == DraftSegment::Kind::Slit; });
        QVERIFY(first != segments.end());
        QCOMPARE(QString::fromStdString(first->part->Name), item.isEmpty() ? QString("P1") : item);
    }

    void figuresFollowTheCoil()
    {
        auto doc = MakeJob();
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        CSGridWnd& grid = *dialog.Grid();
        dialog.CoilList()->setCurrentIndex(1);
        QCOMPARE(dialog.WidthText()->text(), QString("800"));
        // 800 - 10 trims - 673.
        QCOMPARE(dialog.RemainingWidthText()->text(), QString("117"));
        // Each row's share of the 860 kg by its width of the 800 mm coil; its item's totals as tip.
        QCOMPARE(Column(grid, Col::ColWeightProduced), QStringList({"268.75", "322.50", "129"}));
        QCOMPARE(*grid.GetStyle(1, Col::ColWidth).tooltip, QString("Total Wt =591.25 Total Lengt = 200000"));
        QCOMPARE(*grid.GetStyle(3, Col::ColWidth).tooltip, QString("Total Wt =129 Total Lengt = 100000"));

        // A row without an item takes no width.
        grid.AppendRow();
        dialog.Recompute();
        QCOMPARE(dialog.RemainingWidthText()->text(), QString("117"));
    }

    void lengthSteps_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<std::vector<double>>("extents");
        QTest::addColumn<double>("longer");
        QTest::addColumn<double>("shorter");
        QTest::newRow("300 mm parts") << 1000.0 << std::vector<double>{300} << 1200.0 << 900.0;
        QTest::newRow("slits only") << 1000.0 << std::vector<double>{} << 1001.0 << 1000.0;
        QTest::newRow("on a multiple") << 900.0 << std::vector<double>{300} << 1200.0 << 600.0;
        QTest::newRow("nearest of two parts") << 1000.0 << std::vector<double>{300, 250} << 1200.0 << 900.0;
        QTest::newRow("shorter than a piece") << 100.0 << std::vector<double>{300} << 300.0 << 100.0;
        QTest::newRow("part without extent") << 1000.0 << std::vector<double>{0} << 1001.0 << 1000.0;
    }

    void lengthSteps()
    {
        QFETCH(double, length);
        QFETCH(std::vector<double>, extents);
        QTEST(LongerPatternLength(length, extents), "longer");
        QTEST(ShorterPatternLength(length, extents), "shorter");
    }

    void stepButtonsUseTheRows_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        // Both P1 rows at 250 mm across: 300 mm along the coil.
        QTest::newRow("300 mm parts") << 0 << "1200" << "900";
        QTest::newRow("slits only") << 1 << "1001" << "1000";
    }

    void stepButtonsUseTheRows()
    {
        QFETCH(int, layout);
        auto doc = MakeJob();
        CEditPatternDlg dialog(*doc, layout, ui_.Services());
        if (layout == 0) {
            Type(dialog, 2, Col::ColWidth, "250");
            dialog.Recompute();
        }
        QLineEdit& length = *dialog.PatternLengthEdit();
        length.setText("1000");
        dialog.Button(CEditPatternDlg::IdLonger)->click();
        QTEST(length.text(), "up");
        length.setText("1000");
        dialog.Button(CEditPatternDlg::IdShorter)->click();
        QTEST(length.text(), "down");
    }

    void saveReplacesTheLayoutTurnedAsShown()
    {
        auto doc = MakeJob();
        const CLayout* other = doc->Layouts.GetAt(1);
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        Type(dialog, 1, Col::ColWidth, "300");
        dialog.Button(IdOk)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(doc->Layouts.GetCount(), 2);
        QCOMPARE(doc->Layouts.GetAt(1), other);
        const CLayout& saved = *doc->Layouts.GetAt(0);
        QCOMPARE(saved.Coil, doc->GetCoil(0));
        QCOMPARE(Names(saved), (std::vector<std::string>{"P1", "P1", "S1"}));
        QCOMPARE(Rotations(saved), (std::vector<int>{1, 1, 0}));
        QVERIFY(qAbs(saved.Weight - 860.0) < 1e-9);
        QCOMPARE(saved.Kerf, 1.0);
    }

    void addAsNewKeepsTheLayout()
    {
        auto doc = MakeJob();
        const CLayout* edited = doc->Layouts.GetAt(0);
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        dialog.CoilList()->setCurrentIndex(1);
        dialog.PatternLengthEdit()->setText("2000");
        dialog.Button(CEditPatternDlg::IdAddAsNew)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(doc->Layouts.GetCount(), 3);
        QCOMPARE(doc->Layouts.GetAt(0), edited);
        QCOMPARE(Rotations(*edited), (std::vector<int>{0, 1, 0}));
        const CLayout& added = *doc->Layouts.GetAt(2);
        QCOMPARE(added.Coil, doc->GetCoil(1));
        QCOMPARE(Names(added), (std::vector<std::string>{"P1", "P1", "S1"}));
        // By weight, 2 m of the edited layout's 1000 mm coil.
        QVERIFY(qAbs(added.Weight - 17.2) < 1e-9);
    }

    void cancelChangesNothing()
    {
        auto doc = MakeJob();
        const CLayout* edited = doc->Layouts.GetAt(0);
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        Type(dialog, 1, Col::ColType, "Slit");
        QTRY_VERIFY(!dialog.Grid()->IsModified());
        dialog.Button(IdCancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(doc->Layouts.GetAt(0), edited);
        QCOMPARE(Names(*edited), (std::vector<std::string>{"P1", "P1", "S1"}));
    }

    void lengthModeOffersPartAndSlitAndWeighsTheLength()
    {
        auto doc = MakeJob();
        doc->QtyByLength = 1;
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        CSGridWnd& grid = *dialog.Grid();
        QCOMPARE(*grid.GetStyle(1, Col::ColType).choices, QString("Part\nSlit\n"));
        QVERIFY(grid.IsColHidden(Col::ColLengthProduced));
        QVERIFY(grid.IsColHidden(Col::ColWeightProduced));
        dialog.CoilList()->setCurrentIndex(1);
        dialog.PatternLengthEdit()->setText("2000");
        dialog.Button(IdOk)->click();
        // 2 m of the chosen 800 mm coil.
        QVERIFY(qAbs(doc->Layouts.GetAt(0)->Weight - 13.76) < 1e-9);
        QCOMPARE(doc->Layouts.GetAt(0)->Coil, doc->GetCoil(1));
    }

    void lengthsInTheUsersUnit()
    {
        UnitSettings cm;
        cm.lengthUnit = kUnitCm;
        SetUnitSettings(cm);
        auto doc = MakeJob();
        CEditPatternDlg dialog(*doc, 0, ui_.Services());
        QCOMPARE(dialog.PatternLengthEdit()->text(), QString("10000"));
        QCOMPARE(Column(*dialog.Grid(), Col::ColWidth), QStringList({"25", "30", "12"}));
        Type(dialog, 2, Col::ColWidth, "25");
        dialog.Recompute();
        dialog.Button(CEditPatternDlg::IdLonger)->click();
        QCOMPARE(dialog.PatternLengthEdit()->text(), QString("10020"));
    }
};

QTEST_MAIN(EditPatternDlgTest)
#include "editpatterndlg_test.moc"
