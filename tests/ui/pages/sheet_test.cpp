#include "app/childframe.h"
#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/vellicorapp.h"
#include "model/vellicordoc.h"
#include "platform/stringids.h"
#include "support/resultfixture.h"
#include "support/uifixture.h"
#include "support/whenmodal.h"
#include "ui/grid/gridwnd.h"
#include "ui/dialogs/inventorydlg.h"
#include "ui/grid/lenedititem.h"
#include "ui/pages/page.h"
#include "support/emptypage.h"
#include "ui/pages/sheet.h"
#include "ui/helpcontext.h"
#include "ui/pages/vellicorview.h"
#include "units/units.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace vellicor;

namespace {

constexpr int kMsgEmptyName = 181;

// A page of coil names and widths: a row after the first needs a name.
class CoilPage : public CSPage {
public:
    CoilPage(CVellicorDoc& doc, UiServices services) : CSPage(131, 168, doc, services) {}

    int stores = 0;

protected:
    void OnInitDialog() override
    {
        CSGridWnd* grid = CreateGrid("IDR_STOCK_OGL");
        grid->SetStyleRange(CGridRange::Cols(2, 2), CGridStyle().SetControl(CellControl::LenEdit));
        CSPage::OnInitDialog();
    }

    void LoadGrid() override
    {
        CVellicorDoc& doc = GetDocument();
        GetGrid()->SetRowCount(std::max(doc.GetCoilCount(), 1));
        for (int i = 0; i < doc.GetCoilCount(); ++i) {
            GetGrid()->SetValue(i + 1, 1, QString::fromStdString(doc.GetCoil(i)->Name));
            GetGrid()->SetValue(i + 1, 2, PlainNumberText(doc.GetCoil(i)->Width));
        }
    }

    bool ValidateGrid() override
    {
        for (int r = 2; r <= GetGrid()->GetRowCount(); ++r) {
            if (GetGrid()->GetValue(r, 1).trimmed().isEmpty()) {
                Services().messages.Tell(kMsgEmptyName);
                return false;
            }
        }
        return true;
    }

    void StoreGrid() override
    {
        ++stores;
        CVellicorDoc& doc = GetDocument();
        doc.DeleteAllCoils();
        for (int r = 1; r <= GetGrid()->GetRowCount(); ++r) {
            const QString name = GetGrid()->GetValue(r, 1).trimmed();
            if (!name.isEmpty())
                doc.AddCoil(std::make_unique<CCoil>(name.toStdString(), GetGrid()->GetNumber(r, 2), "steel", 1, 100, 1,
                                                    "", 1, 0, 0));
        }
    }
};

void AddResult(CVellicorDoc& doc)
{
    doc.Layouts.Add(std::make_unique<CLayout>(doc.GetCoil(0), CSlitPosList{}, 100, 0));
}

} // namespace

class SheetTest : public QObject {
    Q_OBJECT

private:
    test::UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void jobViewShowsTheFourTabs()
    {
        CVellicorDoc doc;
        test::ResultFixture results(ui_.messages);
        CVellicorView view(doc, ui_.Services(), results.Services());
        CSSheet* sheet = view.Sheet();
        const QStringList captions{"Rolls", "Slits", "Parts", "Results"};
        const QStringList tips{"Stock Page", "Slit Page", "Part Page", "Result Page"};
        QCOMPARE(sheet->GetPageCount(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(sheet->tabText(i), captions[i]);
            QCOMPARE(sheet->tabToolTip(i), tips[i]);
            QVERIFY(!sheet->tabIcon(i).isNull());
        }
        QCOMPARE(sheet->currentIndex(), 0);
        QVERIFY(sheet->tabBar()->font().bold());
        QVERIFY(view.StoreActivePage());
        QVERIFY(sheet->SetActivePage(3));
        QVERIFY(!doc.IsModified());
    }

    void pagesStoreWhenLeftAndRefuseInvalidRows()
    {
        CVellicorDoc doc;
        doc.AddCoil(std::make_unique<CCoil>("C1", 1250, "steel", 1, 100, 1, "", 1, 0, 0));
        AddResult(doc);
        CSSheet sheet;
        auto* page = new CoilPage(doc, ui_.Services());
        sheet.AddPage(page);
        sheet.AddPage(new test::CSEmptyPage(304, 170, doc, ui_.Services()));
        QSignalSpy changed(&sheet, &CSSheet::DocumentChanged);
        CSGridWnd* grid = page->GetGrid();
        QVERIFY(grid);
        QCOMPARE(grid->GetValue(1, 1), QString("C1"));
        QVERIFY(!grid->IsModified());

        // Only looked at: leaving writes nothing.
        QVERIFY(sheet.SetActivePage(1));
        QCOMPARE(page->stores, 0);
        QVERIFY(!doc.IsModified());
        QVERIFY(doc.HasResults());

        // A new empty row keeps the user on the page and the job as it was.
        QVERIFY(sheet.SetActivePage(0));
        grid->SetCurrentCell(1, 12);
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->GetRowCount(), 2);
        QVERIFY(!sheet.SetActivePage(1));
        QCOMPARE(sheet.currentIndex(), 0);
        QCOMPARE(sheet.GetActivePage(), page);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{kMsgEmptyName});
        QCOMPARE(doc.GetCoilCount(), 1);
        QVERIFY(doc.HasResults());

        // Named, the row goes into the job, which loses its result.
        grid->SetValue(2, 1, "C2");
        grid->SetValue(2, 2, "900");
        QVERIFY(sheet.SetActivePage(1));
        QCOMPARE(page->stores, 1);
        QCOMPARE(doc.GetCoilCount(), 2);
        QCOMPARE(doc.GetCoil(1)->Width, 900.0);
        QVERIFY(!doc.HasResults());
        QVERIFY(doc.IsModified());
        QCOMPARE(changed.count(), 1);

        // Back and away again: reloaded, unchanged, not written a second time.
        QVERIFY(sheet.SetActivePage(0));
        QCOMPARE(grid->GetValue(2, 1), QString("C2"));
        QVERIFY(sheet.SetActivePage(1));
        QCOMPARE(page->stores, 1);
    }

    void helpInsideAPageIsThePagesHelp()
    {
        CVellicorDoc doc;
        CSSheet sheet;
        auto* page = new CoilPage(doc, ui_.Services());
        sheet.AddPage(page);
        QCOMPARE(HelpContextOf(page->GetGrid()), 131);
    }

    void sheetKeysWorkFromInsideAGrid()
    {
        QTemporaryDir dir;
        auto settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
        CVellicorApp app(std::move(settings), &ui_.messages);
        app.Paths().SetInstallDir(dir.path());
        QVERIFY(app.InitInstance({}));
        CMainFrame* frame = app.MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CChildFrame* job = frame->ActiveJob();
        CSSheet* sheet = job->GetView().Sheet();
        auto* page = new CoilPage(job->GetDocument(), {app.Store(), app.Messages()});
        sheet->AddPage(page);
        QVERIFY(sheet->SetActivePage(sheet->GetPageCount() - 1));

        // The caret in a cell: F9 stores the page with the typed text, then optimises.
        CSGridWnd* grid = page->GetGrid();
        grid->setFocus();
        const QModelIndex cell = grid->model()->index(0, 0);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
        QVERIFY(editor);
        editor->setText("C9");
        QTest::keyClick(editor, Qt::Key_F9);
        QCOMPARE(job->GetDocument().GetCoilCount(), 1);
        QCOMPARE(job->GetDocument().GetCoil(0)->Name, std::string("C9"));
        QCOMPARE(ui_.messages.Ids().back(), ids::JobNumberOutOfRange);  // checked: the new coil has no width

        QSignalSpy stockUsed(frame->Action(cmd::ViewStockUsed), &QAction::triggered);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        grid->setFocus();
        test::WhenModal<CsInventoryDlg>([](CsInventoryDlg* dialog) { dialog->reject(); });
        QTest::keyClick(grid, Qt::Key_F4);
        QCOMPARE(stockUsed.count(), 1);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        grid->setFocus();

        const int jobs = frame->Jobs().size();
        QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(frame->Jobs().size(), jobs + 1);
    }

    void pageKeysWorkFromACellAndTheGridTakesTheFocus()
    {
        QTemporaryDir dir;
        auto settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
        CVellicorApp app(std::move(settings), &ui_.messages);
        app.Paths().SetInstallDir(dir.path());
        QVERIFY(app.InitInstance({}));
        CMainFrame* frame = app.MainFrame();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CSSheet* sheet = frame->ActiveJob()->GetView().Sheet();
        auto grid = [sheet] { return sheet->GetActivePage()->GetGrid(); };
        // After start-up the first keys go into the current cell.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid()));

        // From an open editor: the page takes the typed text and the next page's grid the focus.
        grid()->SetValue(1, 2, "1000");
        const QModelIndex cell = grid()->model()->index(0, 0);
        grid()->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(grid()->indexWidget(cell));
        QVERIFY(editor);
        editor->setText("C1");
        QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(sheet->currentIndex(), 1);
        QCOMPARE(frame->ActiveJob()->GetDocument().GetCoil(0)->Name, std::string("C1"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid()));

        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Tab, Qt::ControlModifier},
            {Qt::Key_PageUp, Qt::ControlModifier},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
            {Qt::Key_PageUp, Qt::ControlModifier},
        };
        const int pages[] = {2, 1, 0, 3};
        for (int k = 0; k < 4; ++k) {
            QTest::keyClick(grid(), keys[k].first, keys[k].second);
            QCOMPARE(sheet->currentIndex(), pages[k]);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid()));
        }

        // A new job too.
        frame->Action(cmd::FileNew)->trigger();
        CSSheet* second = frame->ActiveJob()->GetView().Sheet();
        QVERIFY(second != sheet);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(second->GetActivePage()->GetGrid()));
    }
};

QTEST_MAIN(SheetTest)
#include "sheet_test.moc"
