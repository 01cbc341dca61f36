#include "app/childframe.h"
#include "app/mainframe.h"
#include "app/vellicorapp.h"
#include "inventory/stockdb.h"
#include "model/jobfile.h"
#include "model/vellicordoc.h"
#include "optimiser/optimise.h"
#include "optimiser/sequencing.h"
#include "platform/safefile.h"
#include "platform/stringids.h"
#include "support/gridfit.h"
#include "support/modaldialog.h"
#include "support/resultfixture.h"
#include "support/uifixture.h"
#include "ui/dialogs/editpatterndlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/drawing/layoutdrawing.h"
#include "support/emptypage.h"
#include "ui/pages/resultpage.h"
#include "ui/pages/sheet.h"
#include "ui/dialogs/updateinventorydlg.h"
#include "ui/pages/vellicorview.h"
#include "units/numtext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

using namespace vellicor;

namespace {

using Pat = CSResultPage::PatternColumn;

const QColor kGrey(192, 192, 192);
const QColor kCyan(0, 250, 250);
const QColor kLightBlue(128, 128, 255);
const QColor kLightRed(255, 96, 96);

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor RowColour(const CSGridWnd& grid, int row)
{
    return grid.GetStyle(row, 1).interior.value_or(QColor());
}

QList<QColor> RowColours(const CSGridWnd& grid)
{
    QList<QColor> colours;
    for (int r = 1; r <= grid.GetRowCount(); ++r)
        colours << RowColour(grid, r);
    return colours;
}

void ClickRow(CSGridWnd& grid, int row)
{
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

std::unique_ptr<CLayout> MakeLayout(CCoil* coil, const std::vector<CCoilPart*>& parts, double weight)
{
    CSlitPosList slits;
    for (CCoilPart* part : parts)
        slits.push_back(std::make_unique<CLayoutSlit>(0, part));
    return std::make_unique<CLayout>(coil, std::move(slits), weight, 0.0);
}

// One 1000 mm coil without trims; slits of 300, 200 and 100 mm and a part that no layout cuts;
// layouts A (300 300 200), B (300 200 100) and C (200 100), whose change cost is 2 + 2.1 in this
// order and 2 + 4.1 with A and B swapped.
std::unique_ptr<CVellicorDoc> MakeThreeLayouts()
{
    auto doc = std::make_unique<CVellicorDoc>();
    doc->QtyByLength = 0;
    doc->AddCoil(std::make_unique<CCoil>("X", 1000.0, "crca", 1.0, 8600.0, 5, "", 1.0, 0.0, 0.0));
    doc->AddPart(std::make_unique<CCoilPart>("P9", "crca", 1.0, 150.0, 150.0, 4, "", 0, 0));
    for (double width : {300.0, 200.0, 100.0})
        doc->AddSlit(std::make_unique<CCoilPart>("S" + std::to_string(int(width)), "crca", 1.0, width, 500.0, "", 0));
    CCoilPart* s300 = doc->GetSlit(0);
    CCoilPart* s200 = doc->GetSlit(1);
    CCoilPart* s100 = doc->GetSlit(2);
    doc->Layouts.Add(MakeLayout(doc->GetCoil(0), {s300, s300, s200}, 300.0));
    doc->Layouts.Add(MakeLayout(doc->GetCoil(0), {s300, s200, s100}, 200.0));
    doc->Layouts.Add(MakeLayout(doc->GetCoil(0), {s200, s100}, 100.0));
    return doc;
}

// The Results page on the second tab of a sheet, shown.
struct PageOnSheet {
    PageOnSheet(CVellicorDoc& doc, test::UiFixture& ui, test::ResultFixture& results)
    {
        sheet.AddPage(new test::CSEmptyPage(131, 168, doc, ui.Services()));
        page = new CSResultPage(doc, ui.Services(), results.Services());
        sheet.AddPage(page);
        sheet.resize(1200, 800);
        sheet.show();
        sheet.SetActivePage(1);
    }

    CSGridWnd& Patterns() const { return *page->PatternGrid(); }
    CSGridWnd& Parts() const { return *page->PartGrid(); }
    QString ChangeCost() const { return page->ChangeCostText()->text(); }
    void Click(int button) const { page->Button(button)->click(); }
    std::pair<int, int> Current() const
    {
        int row = 0;
        int col = 0;
        Patterns().GetCurrentCell(row, col);
        return {row, col};
    }

    CSSheet sheet;
    CSResultPage* page = nullptr;
};

} // namespace

class ResultPageTest : public QObject {
    Q_OBJECT

private:
    test::UiFixture ui_;
    std::unique_ptr<test::ResultFixture> results_;

private slots:
    void init()
    {
        ui_.Reset();
        results_ = std::make_unique<test::ResultFixture>(ui_.messages);
    }

    void optimisedSampleInCuttingOrderAndBooked()
    {
        QTemporaryDir dir;
        const QString job = dir.filePath("sample.vcj");
        QVERIFY(QFile::copy(VELLICOR_EXAMPLES "/sample.vcj", job));
        auto expected = LoadJobFile(job.toStdString(), ui_.store).doc;
        QVERIFY(expected);
        QCOMPARE(Optimise(*expected, ui_.messages), 1);

        auto settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
        CVellicorApp app(std::move(settings), &ui_.messages);
        app.Paths().SetInstallDir(dir.path());
        app.Paths().SetUserDataDir(dir.filePath("data"));
        QVERIFY(app.InitInstance({job}));
        CChildFrame* frame = app.MainFrame()->ActiveJob();
        app.MainFrame()->OptimiseJob(*frame);
        CSSheet& sheet = *frame->GetView().Sheet();
        QCOMPARE(sheet.currentIndex(), int(CVellicorView::ResultsTab));
        auto* page = qobject_cast<CSResultPage*>(sheet.GetActivePage());
        QVERIFY(page);
        // Names, thicknesses and slit details are read whole, on one line.
        for (CSGridWnd* grid : page->findChildren<CSGridWnd*>()) {
            const QStringList misfits = test::CellsThatDoNotFit(*grid);
            QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));
        }

        // Row r is layout r - 1, in the order the optimiser left them.
        const CLayoutList& layouts = frame->GetDocument().Layouts;
        CSGridWnd& grid = *page->PatternGrid();
        QCOMPARE(grid.GetRowCount(), expected->Layouts.GetCount());
        for (int r = 1; r <= grid.GetRowCount(); ++r) {
            const CLayout& layout = *expected->Layouts.GetAt(r - 1);
            QCOMPARE(grid.GetValue(r, Pat::PatName), Q(layout.Coil->Name));
            QCOMPARE(grid.GetValue(r, Pat::PatDetails), Q(layout.WidthsText()));
            QCOMPARE(grid.GetValue(r, Pat::PatIndex), QString::number(r));
            QCOMPARE(*grid.GetStyle(r, Pat::PatName).tooltip, Q(layout.DetailText()));
        }
        QCOMPARE(page->ChangeCostText()->text(), Q(FormatFixed(ChangeCost(layouts), 1)));
        QVERIFY(grid.IsColHidden(Pat::PatIndex));
        QVERIFY(!grid.IsColHidden(Pat::PatThickness));
        QCOMPARE(page->OrderNoEdit()->text(), QString("SO-24117"));
        QVERIFY(!page->Summary()->toPlainText().isEmpty());
        QVERIFY(!page->Drawing()->Segments().empty());
        QCOMPARE(*page->PartGrid()->GetStyle(1, 1).tooltip, QString("BRK-300x420 [300 X 420]"));

        // Booked from the page: the job remembers it in its file and the button goes grey.
        test::OnModal<CUpdateInventoryDlg>([](CUpdateInventoryDlg& d) {
            d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        page->Button(CSResultPage::IdUpdateInventory)->click();
        QVERIFY(!page->Button(CSResultPage::IdUpdateInventory)->isEnabled());
        QVERIFY(!frame->GetDocument().IsModified());
        auto saved = LoadJobFile(job.toStdString(), ui_.store).doc;
        QVERIFY(saved);
        QCOMPARE(saved->InventoryUpdated, 1);
        QCOMPARE(saved->Layouts.GetCount(), layouts.GetCount());
        CsStockDb stock;
        std::string bytes;
        QCOMPARE(ReadWholeFile(app.Paths().DataDir() + "/stock.db", bytes), FileError::None);
        QVERIFY(stock.Load(bytes));
        QVERIFY(!stock.Records.empty());
        const std::vector<int> told = ui_.messages.Ids();
        QVERIFY(std::find(told.begin(), told.end(), CSResultPage::kMsgNoResult) == told.end());
    }

    void movingLayouts()
    {
        auto doc = MakeThreeLayouts();
        const std::vector<CLayout*> abc{doc->Layouts.GetAt(0), doc->Layouts.GetAt(1), doc->Layouts.GetAt(2)};
        PageOnSheet on(*doc, ui_, *results_);
        QCOMPARE(on.ChangeCost(), QString("4.1"));

        on.Patterns().SetCurrentCell(2, 3);
        on.Click(CSResultPage::IdUp);
        QCOMPARE(doc->Layouts.GetAt(0), abc[1]);
        QCOMPARE(doc->Layouts.GetAt(1), abc[0]);
        QCOMPARE(on.Patterns().GetValue(1, Pat::PatDetails), Q(abc[1]->WidthsText()));
        QCOMPARE(on.Current(), std::make_pair(1, 3));
        QCOMPARE(on.ChangeCost(), QString("6.1"));
        QVERIFY(doc->IsModified());

        // Up on the first row and Down on the last do nothing.
        for (auto [button, row] : {std::pair{int(CSResultPage::IdUp), 1}, {int(CSResultPage::IdDown), 3}}) {
            on.Patterns().SetCurrentCell(row, 2);
            on.Click(button);
            QCOMPARE(doc->Layouts.GetAt(0), abc[1]);
            QCOMPARE(doc->Layouts.GetAt(2), abc[2]);
            QCOMPARE(on.Current(), std::make_pair(row, 2));
        }

        on.Patterns().SetCurrentCell(1, 4);
        on.Click(CSResultPage::IdDown);
        QCOMPARE(doc->Layouts.GetAt(0), abc[0]);
        QCOMPARE(doc->Layouts.GetAt(1), abc[1]);
        QCOMPARE(on.Current(), std::make_pair(2, 4));
        QCOMPARE(on.ChangeCost(), QString("4.1"));
    }

    void deletingTheLastLayoutMovesUp()
    {
        auto doc = MakeThreeLayouts();
        const CLayout* second = doc->Layouts.GetAt(1);
        PageOnSheet on(*doc, ui_, *results_);
        on.Patterns().SetCurrentCell(3, 2);
        on.Click(CSResultPage::IdDelete);
        QCOMPARE(doc->Layouts.GetCount(), 2);
        QCOMPARE(on.Patterns().GetRowCount(), 2);
        QCOMPARE(on.Current(), std::make_pair(2, 2));
        QCOMPARE(on.ChangeCost(), QString("2.0"));

        on.Patterns().SetCurrentCell(1, 2);
        on.Click(CSResultPage::IdDelete);
        QCOMPARE(doc->Layouts.GetAt(0), second);
        QCOMPARE(on.Current(), std::make_pair(1, 2));
        QCOMPARE(on.ChangeCost(), QString("0.0"));
        QVERIFY(ui_.messages.shown.empty());
    }

    void bookedResultChangesOnlyWhenConfirmed()
    {
        auto doc = MakeThreeLayouts();
        doc->InventoryUpdated = 1;
        const CLayout* first = doc->Layouts.GetAt(0);
        PageOnSheet on(*doc, ui_, *results_);
        for (int button : {CSResultPage::IdUp, CSResultPage::IdDown, CSResultPage::IdDelete, CSResultPage::IdEdit})
            QVERIFY(on.page->Button(button)->isEnabled());

        // Declined: no editor opens and the order stays.
        ui_.messages.answers = {MessageAnswer::No, MessageAnswer::No, MessageAnswer::No, MessageAnswer::No};
        on.Patterns().SetCurrentCell(2, 2);
        for (int button : {CSResultPage::IdUp, CSResultPage::IdDown, CSResultPage::IdDelete, CSResultPage::IdEdit})
            on.Click(button);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>(4, ids::BookedResultAsk));
        QCOMPARE(ui_.messages.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(doc->Layouts.GetCount(), 3);
        QCOMPARE(doc->Layouts.GetAt(0), first);
        QVERIFY(!doc->IsModified());

        ui_.messages.answers = {MessageAnswer::Yes};
        on.Click(CSResultPage::IdDelete);
        QCOMPARE(doc->Layouts.GetCount(), 2);
        QVERIFY(doc->IsModified());
    }

    void restWidthAgainstMinOffCut_data()
    {
        QTest::addColumn<double>("rest");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("usable offcut") << 12.0 << kCyan;
        QTest::newRow("exactly the minimum") << 10.0 << kGrey;
        QTest::newRow("too narrow") << 9.0 << kGrey;
    }

    void restWidthAgainstMinOffCut()
    {
        QFETCH(double, rest);
        CVellicorDoc doc;
        doc.Settings.MinOffCut = 10.0;
        doc.AddCoil(std::make_unique<CCoil>("X", 1250.0, "crca", 1.0, 8600.0, 5, "", 1.0, 10.0, 15.0));
        doc.AddSlit(std::make_unique<CCoilPart>("S", "crca", 1.0, 1225.0 - rest, 500.0, "", 0));
        doc.Layouts.Add(MakeLayout(doc.GetCoil(0), {doc.GetSlit(0)}, 100.0));
        PageOnSheet on(doc, ui_, *results_);
        QTEST(RowColour(on.Patterns(), 1), "colour");
        QCOMPARE(on.Patterns().GetNumber(1, Pat::PatRestWidth), rest);
    }

    void productionByLengthOrWeight_data()
    {
        QTest::addColumn<int>("qtyByLength");
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("over");
        QTest::newRow("pieces") << 1 << "100" << "3";
        QTest::newRow("weights") << 0 << "17.200" << "0.636";
    }

    void productionByLengthOrWeight()
    {
        QFETCH(int, qtyByLength);
        // 100 pieces of 0.172 kg; the layout cuts 103.7 pieces' worth.
        CVellicorDoc doc;
        doc.QtyByLength = qtyByLength;
        doc.AddCoil(std::make_unique<CCoil>("X", 1000.0, "crca", 1.0, 8600.0, 5, "", 1.0, 0.0, 0.0));
        doc.AddPart(std::make_unique<CCoilPart>("P", "crca", 1.0, 100.0, 200.0, 100, "", 0, 0));
        doc.Layouts.Add(MakeLayout(doc.GetCoil(0), {doc.GetPart(0)}, 103.7 * 0.172 * 10.0));
        PageOnSheet on(doc, ui_, *results_);
        QCOMPARE(on.Parts().GetValue(1, 1), QString("P"));
        QTEST(on.Parts().GetValue(1, 2), "required");
        QTEST(on.Parts().GetValue(1, 3), "over");
        QCOMPARE(*on.Parts().GetStyle(1, 1).tooltip, QString("P [100 X 200]"));
        for (int col : {Pat::PatThickness, Pat::PatWeight, Pat::PatPartUtilisation, Pat::PatFillerUtilisation})
            QCOMPARE(on.Patterns().IsColHidden(col), qtyByLength == 1);
    }

    void highlighting()
    {
        auto doc = MakeThreeLayouts();
        doc->Settings.MinOffCut = 100.0;
        PageOnSheet on(*doc, ui_, *results_);
        // Rests 200, 400 and 700 mm; P9 is cut by no layout.
        QCOMPARE(RowColours(on.Patterns()), QList<QColor>({kCyan, kCyan, kCyan}));
        QCOMPARE(RowColours(on.Parts()), QList<QColor>({kLightBlue, kGrey, kGrey, kGrey}));

        // The parts of the layout of the new row.
        on.Patterns().SetCurrentCell(3, 1);
        QCOMPARE(RowColours(on.Parts()), QList<QColor>({kGrey, kGrey, kLightRed, kLightRed}));
        QCOMPARE(RowColours(on.Patterns()), QList<QColor>({kGrey, kGrey, kGrey}));
        int slits = 0;
        for (const DraftSegment& s : on.page->Drawing()->Segments())
            slits += s.kind == DraftSegment::Kind::Slit;
        QCOMPARE(slits, 2);

        // The layouts that cut the clicked requirement; none for P9.
        ClickRow(on.Parts(), 2);
        QCOMPARE(RowColours(on.Patterns()), QList<QColor>({kLightBlue, kLightBlue, kGrey}));
        ClickRow(on.Parts(), 1);
        QCOMPARE(RowColours(on.Patterns()), QList<QColor>({kGrey, kGrey, kGrey}));
    }

    void noResultToldOnEveryActivation()
    {
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>("X", 1000.0, "crca", 1.0, 8600.0, 5, "", 1.0, 0.0, 0.0));
        doc.AddPart(std::make_unique<CCoilPart>("P", "crca", 1.0, 100.0, 200.0, 100, "", 0, 0));
        PageOnSheet on(doc, ui_, *results_);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSResultPage::kMsgNoResult});
        QCOMPARE(on.Patterns().GetRowCount(), 1);
        QCOMPARE(on.Patterns().GetValue(1, Pat::PatName), QString());
        QCOMPARE(on.Parts().GetRowCount(), 1);
        QCOMPARE(on.Parts().GetValue(1, 1), QString());
        QCOMPARE(*on.Patterns().GetStyle(1, 1).tooltip,
                 QString("Press TAB in the Remarks Column of the Last Row, to make a NEW ROW."));
        QVERIFY(on.page->Summary()->toPlainText().isEmpty());
        QCOMPARE(on.ChangeCost(), QString("0.0"));
        QVERIFY(on.page->Drawing()->Segments().empty());

        // The buttons have no layout to work on.
        for (int button : {CSResultPage::IdUp, CSResultPage::IdDown, CSResultPage::IdDelete, CSResultPage::IdEdit}) {
            QVERIFY(!on.page->Button(button)->isEnabled());
            on.Click(button);
        }
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSResultPage::kMsgNoResult});

        QVERIFY(on.sheet.SetActivePage(0));
        QVERIFY(on.sheet.SetActivePage(1));
        QCOMPARE(ui_.messages.Ids(), (std::vector<int>{CSResultPage::kMsgNoResult, CSResultPage::kMsgNoResult}));
        QVERIFY(!doc.IsModified());
    }

    void typingKeepsTheResultButMarksTheJob()
    {
        auto doc = MakeThreeLayouts();
        PageOnSheet on(*doc, ui_, *results_);
        CSGridWnd& grid = on.Patterns();
        grid.SetCurrentCell(3, Pat::PatFillerUtilisation);
        QTest::keyClick(&grid, Qt::Key_Tab);
        QCOMPARE(grid.GetRowCount(), 4);
        for (int col : {Pat::PatWidth, Pat::PatMaterial, Pat::PatThickness})
            QCOMPARE(grid.GetValue(4, col), grid.GetValue(3, col));
        QCOMPARE(grid.GetValue(4, Pat::PatName), QString());
        on.page->OrderNoEdit()->setText("J-7");
        QVERIFY(!doc->IsModified());

        QVERIFY(on.sheet.SetActivePage(0));
        QVERIFY(doc->IsModified());
        QCOMPARE(doc->Layouts.GetCount(), 3);
        QCOMPARE(doc->OrderNo, std::string("J-7"));
        QVERIFY(on.sheet.SetActivePage(1));
        QCOMPARE(grid.GetRowCount(), 3);
    }

    void editReloadsAfterTheEditor()
    {
        auto doc = MakeThreeLayouts();
        PageOnSheet on(*doc, ui_, *results_);
        on.Patterns().SetCurrentCell(2, 1);
        test::OnModal<CEditPatternDlg>([](CEditPatternDlg& d) { d.Button(CEditPatternDlg::IdAddAsNew)->click(); });
        on.Click(CSResultPage::IdEdit);
        QCOMPARE(doc->Layouts.GetCount(), 4);
        QCOMPARE(on.Patterns().GetRowCount(), 4);
        QCOMPARE(on.Patterns().GetValue(4, Pat::PatDetails), Q(doc->Layouts.GetAt(1)->WidthsText()));
        QVERIFY(doc->IsModified());

        test::OnModal<CEditPatternDlg>([](CEditPatternDlg& d) { d.reject(); });
        on.Click(CSResultPage::IdEdit);
        QCOMPARE(doc->Layouts.GetCount(), 4);
    }
};

QTEST_MAIN(ResultPageTest)
#include "resultpage_test.moc"
