#include "platform/stringids.h"
#include "support/gridfit.h"
#include "support/uifixture.h"
#include "ui/dialogs/expressiondlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/grid/gridlayouts.h"
#include "units/units.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace vellicor;

namespace {

using Cell = std::pair<int, int>;

Cell Current(const CSGridWnd& grid)
{
    int row = 0, col = 0;
    grid.GetCurrentCell(row, col);
    return {row, col};
}

QList<int> Codes(const QSignalSpy& spy)
{
    QList<int> codes;
    for (const QList<QVariant>& args : spy)
        codes.append(args.at(0).toInt());
    return codes;
}

// Selects whole row `row` as a click on its header does.
void SelectRow(CSGridWnd& grid, int row)
{
    const QModelIndex index = grid.model()->index(row - 1, 0);
    grid.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Triggers the context menu item of a click on (row, col).
void TriggerMenu(CSGridWnd& grid, int row, int col, CSGridWnd::MenuItem item)
{
    std::unique_ptr<QMenu> menu(grid.CreateContextMenu(row, col));
    for (QAction* action : menu->actions())
        if (action->data().toInt() == item) {
            QVERIFY(action->isEnabled());
            action->trigger();
            return;
        }
    QFAIL("no such menu item");
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSGridWnd> MakeGrid(int rows, int cols)
    {
        auto grid = std::make_unique<CSGridWnd>(QString(), ui_.Services());
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        return grid;
    }

    test::UiFixture ui_;

private slots:
    void init()
    {
        ui_.Reset();
    }

    void layoutGivesShapeAndHeaders()
    {
        CSGridWnd grid("IDR_STOCK_OGL", ui_.Services());
        QCOMPARE(grid.GetColCount(), 12);
        QCOMPARE(grid.GetRowCount(), 1);
        QCOMPARE(grid.GetValue(0, 1), QString("Coil"));
        QCOMPARE(grid.GetValue(0, 12), QString("Remarks"));
        QCOMPARE(grid.model()->headerData(1, Qt::Vertical).toInt(), 2);  // row headers count from 1

        // A header that reads like a built-in text shows that text in the current language.
        QVERIFY(Strings().LoadLanguagePack("204\tLetzte Zeile\n"));
        QCOMPARE(HeaderText("  Cannot Delete Last Row "), QString("Letzte Zeile"));
        QCOMPARE(HeaderText(" Coil "), QString("Coil"));
        Strings().ClearLanguagePack();
    }

    void tabMovesAndGrows_data()
    {
        QTest::addColumn<Cell>("start");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<bool>("allowAppend");
        QTest::addColumn<Cell>("end");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("appended");
        QTest::newRow("right") << Cell{1, 1} << false << true << Cell{1, 2} << 2 << false;
        QTest::newRow("over the hidden column") << Cell{1, 2} << false << true << Cell{1, 4} << 2 << false;
        QTest::newRow("next row") << Cell{1, 4} << false << true << Cell{2, 1} << 2 << false;
        QTest::newRow("grows") << Cell{2, 4} << false << true << Cell{3, 1} << 3 << true;
        QTest::newRow("does not grow") << Cell{2, 4} << false << false << Cell{2, 4} << 2 << false;
        QTest::newRow("back left") << Cell{2, 4} << true << true << Cell{2, 2} << 2 << false;
        QTest::newRow("back up") << Cell{2, 1} << true << true << Cell{1, 4} << 2 << false;
        QTest::newRow("back wraps") << Cell{1, 1} << true << true << Cell{2, 4} << 2 << false;
    }

    void tabMovesAndGrows()
    {
        QFETCH(Cell, start);
        QFETCH(bool, backwards);
        QFETCH(bool, allowAppend);
        QFETCH(Cell, end);
        QFETCH(int, rows);
        QFETCH(bool, appended);
        auto grid = MakeGrid(2, 4);
        grid->HideCols(3, 3);
        grid->SetAllowAppendRows(allowAppend);
        grid->SetCurrentCell(start.first, start.second);
        QSignalSpy spy(grid.get(), &CSGridWnd::Notification);
        QTest::keyClick(grid.get(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(Current(*grid), end);
        QCOMPARE(grid->GetRowCount(), rows);
        QCOMPARE(Codes(spy).contains(NotifyRowAppended), appended);
        if (appended) {
            QCOMPARE(Codes(spy).last(), int(NotifyRowAppended));
            QVERIFY(grid->IsModified());
        }
    }

    void tabInAnOpenEditorKeepsTheTypedValue()
    {
        auto grid = MakeGrid(1, 2);
        grid->show();
        grid->SetCurrentCell(1, 2);
        const QModelIndex index = grid->model()->index(0, 1);
        grid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        QVERIFY(editor);
        editor->setText("C7");
        QSignalSpy spy(grid.get(), &CSGridWnd::Notification);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(grid->GetValue(1, 2), QString("C7"));
        QCOMPARE(grid->GetRowCount(), 2);
        QCOMPARE(Current(*grid), Cell(2, 1));
        QVERIFY(Codes(spy).contains(NotifyRowAppended));
    }

    void moveNotificationsAreNotReentered()
    {
        auto grid = MakeGrid(3, 3);
        grid->SetCurrentCell(1, 1);
        QList<int> codes;
        bool moveAgain = true;
        connect(grid.get(), &CSGridWnd::Notification, this, [&](int code) {
            codes.append(code);
            if (code == NotifyCellChanged && moveAgain) {
                moveAgain = false;
                grid->SetCurrentCell(3, 3);
            }
        });
        grid->SetCurrentCell(2, 2);
        // The move made while handling 1 reports only 5, and it is the one that stands.
        QCOMPARE(codes, (QList<int>{NotifyRowChanged, NotifyCellChanged, NotifyMovedCell}));
        int row = 0, col = 0;
        grid->GetLastCurrentCell(row, col);
        QCOMPARE(Cell(row, col), Cell(3, 3));
    }

    void deleteRowsFollowsItsRules()
    {
        auto grid = MakeGrid(3, 2);
        for (int r = 1; r <= 3; ++r)
            grid->SetValue(r, 1, QString("R%1").arg(r));
        QSignalSpy spy(grid.get(), &CSGridWnd::Notification);

        // Every row selected: the menu refuses, the key clears the cells instead.
        grid->selectAll();
        TriggerMenu(*grid, 1, 1, CSGridWnd::MenuDelete);
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{CSGridWnd::kMsgCannotDeleteLastRow});
        QCOMPARE(ui_.messages.shown.back().text, std::string("Cannot Delete Last Row"));
        QCOMPARE(grid->GetRowCount(), 3);
        QVERIFY(!grid->IsModified());
        QTest::keyClick(grid.get(), Qt::Key_Delete);
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(grid->GetValue(2, 1), QString());
        QVERIFY(grid->IsModified());
        QTest::keyClick(grid.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid->GetValue(2, 1), QString("R2"));

        // Only cells selected: message 201 and nothing deleted.
        grid->SetCurrentCell(2, 2);
        TriggerMenu(*grid, 2, 2, CSGridWnd::MenuDelete);
        QCOMPARE(ui_.messages.shown.back().id, CSGridWnd::kMsgSelectRowToDelete);
        QCOMPARE(grid->GetRowCount(), 3);

        // The owner may keep the rows while told of the deletion.
        SelectRow(*grid, 2);
        auto keep = connect(grid.get(), &CSGridWnd::Notification, this, [&](int code) {
            if (code == NotifyDeletingRows)
                grid->SetDeleteProceed(false);
        });
        spy.clear();
        TriggerMenu(*grid, 2, 1, CSGridWnd::MenuDelete);
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(Codes(spy), QList<int>{NotifyDeletingRows});
        disconnect(keep);

        spy.clear();
        SelectRow(*grid, 2);
        TriggerMenu(*grid, 2, 1, CSGridWnd::MenuDelete);
        QCOMPARE(grid->GetRowCount(), 2);
        QCOMPARE(grid->GetValue(2, 1), QString("R3"));
        QVERIFY(Codes(spy).contains(NotifyRowsDeleted));
        QCOMPARE(grid->UndoStack()->undoText(), QString("Delete Rows"));
        grid->UndoStack()->undo();
        QCOMPARE(grid->GetValue(2, 1), QString("R2"));

        // A read-only grid deletes nothing and says nothing, and takes no typing.
        const std::size_t before = ui_.messages.shown.size();
        grid->SetReadOnly(true);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        SelectRow(*grid, 1);
        TriggerMenu(*grid, 1, 1, CSGridWnd::MenuDelete);
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(ui_.messages.shown.size(), before);
    }

    void insertAndAppendRows()
    {
        auto grid = MakeGrid(2, 2);
        grid->SetValue(2, 1, "B");
        grid->SetCurrentCell(2, 2);
        std::unique_ptr<QMenu> menu(grid->CreateContextMenu(2, 2));
        QVERIFY(!menu->actions().at(5)->isEnabled());  // Insert Row is off by default
        grid->InsertRow();
        QCOMPARE(grid->GetRowCount(), 2);

        grid->SetAllowInsertRows(true);
        TriggerMenu(*grid, 2, 2, CSGridWnd::MenuInsertRow);
        QCOMPARE(grid->GetRowCount(), 3);
        QCOMPARE(grid->GetValue(3, 1), QString("B"));

        QSignalSpy spy(grid.get(), &CSGridWnd::Notification);
        TriggerMenu(*grid, 1, 1, CSGridWnd::MenuAppendRow);
        QCOMPARE(grid->GetRowCount(), 4);
        QCOMPARE(Current(*grid), Cell(4, 1));
        QCOMPARE(Codes(spy).last(), int(NotifyRowAppended));
    }

    void expressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("hideThird");
        QTest::addColumn<QString>("result");
        QTest::newRow("own value") << "$X * 5 + 20" << true << 4 << false << "520";
        QTest::newRow("other columns") << "2 * $2 + 2 * $3" << true << 4 << false << "1800";
        QTest::newRow("row number") << "$0 * 10 + $X" << true << 4 << false << "110";
        QTest::newRow("hidden column skipped") << "$2 + $3" << true << 5 << true << "600";
        QTest::newRow("text") << "$2 x $3 x $5" << false << 1 << false << "500 x 400 x 50";
        QTest::newRow("text, own value") << "[$x] $X-$0" << false << 1 << false << "[P] P-1";
        QTest::newRow("text, hidden column skipped") << "$2/$3/$4" << false << 1 << true << "500/100/50";
    }

    void expressions()
    {
        QFETCH(QString, expression);
        QFETCH(bool, numeric);
        QFETCH(int, col);
        QFETCH(bool, hideThird);
        QFETCH(QString, result);
        auto grid = MakeGrid(1, 5);
        const QStringList values{"P", "500", "400", "100", "50"};
        for (int c = 1; c <= 5; ++c) {
            grid->SetValue(1, c, values[c - 1]);
            grid->SetExpressionColumn(c, c > 1, true);
        }
        grid->HideCols(3, 3, hideThird);
        grid->SetCurrentCell(1, col);
        QSignalSpy spy(grid.get(), &CSGridWnd::Notification);
        QVERIFY(grid->ApplyExpression(expression, numeric));
        QCOMPARE(grid->GetValue(1, col), result);
        QVERIFY(grid->IsModified());
        QCOMPARE(Codes(spy).last(), int(NotifyMovedCell));
        QCOMPARE(grid->UndoStack()->undoText(), QString("EditData"));
    }

    void enterMovesDownARow()
    {
        auto grid = MakeGrid(2, 3);
        grid->SetCurrentCell(1, 2);
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QCOMPARE(Current(*grid), Cell(2, 2));
        QTest::keyClick(grid.get(), Qt::Key_Enter);
        QCOMPARE(Current(*grid), Cell(2, 2));  // the last row stays, no row is added
        QCOMPARE(grid->GetRowCount(), 2);

        // From an open editor the typed text goes in first.
        grid->SetCurrentCell(1, 3);
        const QModelIndex cell = grid->model()->index(0, 2);
        grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
        QVERIFY(editor);
        editor->setText("75");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(grid->GetValue(1, 3), QString("75"));
        QCOMPARE(Current(*grid), Cell(2, 3));
    }

    void badExpressionsChangeNothing_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("operand missing") << "$X*";
        QTest::newRow("operator doubled") << "$X +* 2";
        QTest::newRow("unknown variable") << "$X + $9";
        QTest::newRow("bracket open") << "($X + 2";
    }

    void badExpressionsChangeNothing()
    {
        QFETCH(QString, expression);
        auto grid = MakeGrid(2, 2);
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                grid->SetValue(r, c, QString::number(10 * r + c));
        grid->SetExpressionColumn(1, true, false);
        grid->SetExpressionColumn(2, true, false);
        grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, 1)),
                                       QItemSelectionModel::ClearAndSelect);
        QVERIFY(!grid->ApplyExpression(expression, true));
        QCOMPARE(grid->GetValue(1, 1), QString("11"));
        QCOMPARE(grid->GetValue(2, 2), QString("22"));
        QVERIFY(!grid->IsModified());
        QCOMPARE(ui_.messages.Ids(), std::vector<int>{ids::ExpressionSyntax});
        QCOMPARE(ui_.messages.shown[0].args, std::vector<std::string>{expression.toStdString()});
    }

    void expressionBlocksAndUnits()
    {
        auto grid = MakeGrid(3, 3);
        grid->SetStyleRange(CGridRange::Cols(2, 2), CGridStyle().SetControl(CellControl::LenEdit));
        grid->SetExpressionColumn(2, true, false);
        grid->SetExpressionColumn(3, true, false);
        for (int r = 1; r <= 3; ++r) {
            grid->SetValue(r, 1, "x");
            grid->SetValue(r, 2, "25.4");
            grid->SetValue(r, 3, "100");
        }

        // A block that takes in a column without expressions is refused whole.
        grid->selectAll();
        QVERIFY(!grid->ApplyExpression("$X * 2", true));
        QCOMPARE(ui_.messages.shown.back().id, CSGridWnd::kMsgExpressionColumns);
        QCOMPARE(grid->GetValue(1, 2), QString("25.4"));
        QVERIFY(!grid->IsModified());

        // In inches a length cell computes in inches and stores millimetres; a count stays a count.
        UnitSettings inches;
        inches.lengthUnit = kUnitInchDecimal;
        SetUnitSettings(inches);
        grid->clearSelection();
        grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 1), grid->model()->index(1, 2)),
                                       QItemSelectionModel::ClearAndSelect);
        QVERIFY(grid->ApplyExpression("$X + 1", true));
        QCOMPARE(grid->GetValue(1, 2), QString("50.800"));
        QCOMPARE(grid->GetValue(2, 2), QString("50.800"));
        QCOMPARE(grid->GetValue(3, 2), QString("25.4"));  // outside the block
        QCOMPARE(grid->GetValue(1, 3), QString("101"));

        // Through the menu and its dialog.
        grid->clearSelection();
        grid->SetCurrentCell(3, 3);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CExpressionDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->ExpressionEdit()->setText("$2 * 2");
            dialog->accept();
        });
        TriggerMenu(*grid, 3, 3, CSGridWnd::MenuEvaluate);
        QCOMPARE(grid->GetValue(3, 3), QString("2"));  // 25.4 mm is 1 inch

        std::unique_ptr<QMenu> menu(grid->CreateContextMenu(1, 1));
        QVERIFY(!menu->actions().at(7)->isEnabled());  // Evaluate off in column 1
        QVERIFY(!menu->actions().at(8)->isEnabled());  // Format off too
    }

    void columnWidthsSurviveANewWindow()
    {
        {
            CSGridWnd grid("IDR_PART_OGL", ui_.Services());
            grid.SetLayoutName("  SLIT_PART_PG ");
            grid.horizontalHeader()->resizeSection(1, 133);
            grid.HideCols(8, 8);
            QVERIFY(!grid.IsModified());
        }
        QCOMPARE(ui_.store.GetProfileString("Grid", "SLIT_PART_PGName", ""), std::string("1,2,3,4,5,6,7,9,"));
        QVERIFY(ui_.store.GetProfileString("Grid", "SLIT_PART_PGWidth", "").starts_with("90,133,"));

        CSGridWnd again("IDR_PART_OGL", ui_.Services());
        again.SetLayoutName("SLIT_PART_PG");
        QCOMPARE(again.columnWidth(1), 133);

        // Column numbers outside the grid are skipped one by one.
        ui_.store.WriteString("Grid", "XName", "0,3,99,");
        ui_.store.WriteString("Grid", "XWidth", "10,77,10,");
        CSGridWnd other("IDR_PART_OGL", ui_.Services());
        other.SetLayoutName("X");
        QCOMPARE(other.columnWidth(2), 77);
        QCOMPARE(other.columnWidth(0), 90);
    }

    void clipboardBlocks()
    {
        auto grid = MakeGrid(1, 3);
        grid->SetStyleRange(CGridRange::Cols(3, 3), CGridStyle().SetControl(CellControl::LenEdit));
        grid->SetStyleRange(CGridRange::Cell(1, 1), CGridStyle().SetReadOnly(true));
        grid->SetValue(1, 1, "keep");

        // Wider than the grid: rows are added, columns are not, read-only cells are kept.
        QGuiApplication::clipboard()->setText("a\tb\tc\td\r\ne\tf\tg\th\r\n");
        grid->SetCurrentCell(1, 1);
        QTest::keyClick(grid.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid->GetColCount(), 3);
        QCOMPARE(grid->GetRowCount(), 2);
        QCOMPARE(grid->GetValue(1, 1), QString("keep"));
        QCOMPARE(grid->GetValue(1, 2), QString("b"));
        QCOMPARE(grid->GetValue(2, 1), QString("e"));
        QCOMPARE(grid->GetValue(2, 3), QString("g"));
        QVERIFY(grid->IsModified());
        QCOMPARE(grid->UndoStack()->undoText(), QString("Paste"));

        // A length cell takes pasted text in the current unit; with millimetres as it stands.
        QGuiApplication::clipboard()->setText("12.50");
        grid->SetCurrentCell(1, 3);
        grid->Paste();
        QCOMPARE(grid->GetValue(1, 3), QString("12.50"));
        UnitSettings inches;
        inches.lengthUnit = kUnitInchFraction;
        SetUnitSettings(inches);
        QGuiApplication::clipboard()->setText("1 1/2\"\n");
        grid->Paste();
        QCOMPARE(grid->GetValue(1, 3), QString("38.1"));

        // Copy gives what the cells show, hidden columns left out.
        grid->HideCols(2, 2);
        grid->selectAll();
        grid->Copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("keep\t1 16/32\"\r\ne\t0\"\r\n"));

        // Cut clears what it copied; a grid without paste takes nothing.
        grid->clearSelection();
        grid->SetCurrentCell(2, 1);
        grid->Cut();
        QCOMPARE(grid->GetValue(2, 1), QString());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("e\r\n"));
        grid->SetAllowPaste(false);
        grid->Paste();
        QCOMPARE(grid->GetValue(2, 1), QString());
    }

    // Columns widen to what they show, a length in inch fractions included, and never wrap it.
    void columnsFitTheirContent_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("length");
        QTest::newRow("result name") << "IDR_RES_PAT_OGL" << 1 << "Coil 1250 x 1.5 crca (A-17)" << false;
        QTest::newRow("result thickness") << "IDR_RES_PAT_OGL" << 4 << "1.500 mm" << false;
        QTest::newRow("result details")
            << "IDR_RES_PAT_OGL" << 7 << "[ 300.000 x 2, 200.000 x 1, 150.000 x 1 ] Rest: 50.000" << false;
        QTest::newRow("part remarks") << "IDR_PART_OGL" << 9 << "deliver before the 14th, pallet of 20" << false;
        QTest::newRow("part length in inches") << "IDR_PART_OGL" << 2 << "161.925" << true;
        QTest::newRow("inventory name") << "IDR_DB_STOCK_OGL" << 2 << "Offcut of C-2024-117 second shift" << false;
        QTest::newRow("inventory length in inches") << "IDR_DB_STOCK_OGL" << 4 << "100012.3" << true;
        QTest::newRow("inventory width in inches") << "IDR_DB_STOCK_OGL" << 5 << "161.925" << true;
    }

    void columnsFitTheirContent()
    {
        QFETCH(QString, layout);
        QFETCH(int, col);
        QFETCH(QString, value);
        QFETCH(bool, length);
        UnitSettings inches;
        inches.lengthUnit = kUnitInchFraction;
        SetUnitSettings(inches);
        CSGridWnd grid(layout, ui_.Services());
        grid.SetRowCount(1);
        if (length)
            grid.SetStyleRange(CGridRange::Cols(col, col), CGridStyle().SetControl(CellControl::LenEdit));
        grid.show();
        const int before = grid.columnWidth(col - 1);
        grid.SetValue(1, col, value);
        if (length)
            QVERIFY2(grid.GetDisplayText(1, col).contains('/'), qPrintable(grid.GetDisplayText(1, col)));
        const QStringList misfits = test::CellsThatDoNotFit(grid);
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));

        // Emptied again, the column keeps its width: a width the planner set is never taken away.
        grid.SetValue(1, col, QString());
        QApplication::processEvents();
        QVERIFY(grid.columnWidth(col - 1) >= before);
    }

    // A text longer than any column may be stops at the greatest width and is cut, not wrapped.
    void overlongTextStopsAtTheGreatestWidth()
    {
        CSGridWnd grid("IDR_PART_OGL", ui_.Services());
        grid.show();
        grid.SetValue(1, 9, QString(400, 'w'));
        QApplication::processEvents();
        QCOMPARE(grid.columnWidth(8), int(CSGridWnd::kMaxFitWidth));
        QVERIFY(!grid.wordWrap());
    }

    // A cell the planner cannot change is shaded, on a coloured row too, and typing into it opens
    // no editor and changes nothing.
    void readOnlyCellsLookReadOnlyAndRefuseTyping_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("read-only column") << 0;
        QTest::newRow("read-only column on a coloured row") << 1;
        QTest::newRow("read-only grid") << 2;
    }

    void readOnlyCellsLookReadOnlyAndRefuseTyping()
    {
        QFETCH(int, kind);
        auto grid = MakeGrid(2, 2);
        grid->SetValue(1, 1, "12");
        if (kind == 1)
            grid->SetStyleRange(CGridRange::Rows(1, 1), CGridStyle().SetInterior(QColor(128, 128, 255)));
        grid->resize(300, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->SetCurrentCell(2, 2);
        grid->clearSelection();
        auto background = [&grid] {
            const QRect cell = grid->visualRect(grid->model()->index(0, 0));
            return grid->viewport()->grab().toImage().pixelColor(cell.right() - 3, cell.top() + 3);
        };
        const QColor editable = background();

        if (kind == 2)
            grid->SetReadOnly(true);
        else
            grid->SetStyleRange(CGridRange::Cols(1, 1), CGridStyle().SetReadOnly(true));
        grid->Redraw();
        const QColor readOnly = background();
        QVERIFY2(readOnly != editable, qPrintable(readOnly.name() + " " + editable.name()));

        grid->SetCurrentCell(1, 1);
        QTest::keyClicks(grid.get(), "9");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grid.get(), Qt::Key_Return);
        QVERIFY(!grid->indexWidget(grid->model()->index(0, 0)));
        QCOMPARE(grid->GetValue(1, 1), QString("12"));
        QVERIFY(!grid->IsModified());
    }

    void lengthCellsShowAndReadTheCurrentUnit()
    {
        auto grid = MakeGrid(1, 2);
        grid->SetStyleRange(CGridRange::Cols(1, 1), CGridStyle().SetControl(CellControl::LenEdit));
        grid->SetStyleRange(CGridRange::Cols(2, 2),
                            CGridStyle().SetControl(CellControl::LenEdit).SetLengthOrArea("A"));
        UnitSettings cm;
        cm.lengthUnit = kUnitCm;
        cm.areaUnit = kUnitM;
        SetUnitSettings(cm);
        grid->SetValue(1, 1, "1234.5");
        grid->SetValue(1, 2, "2500000");
        QCOMPARE(grid->GetDisplayText(1, 1), QString("123.450"));
        QCOMPARE(grid->GetDisplayText(1, 2), QString("2.500"));
        grid->SetValue(1, 2, "");
        QCOMPARE(grid->GetDisplayText(1, 2), QString());

        grid->show();
        const QModelIndex index = grid->model()->index(0, 0);
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("123.450"));
        editor->setText("2.5");
        grid->TransferCurrentCell();
        QCOMPARE(grid->GetValue(1, 1), QString("25"));
        QVERIFY(grid->IsModified());
        QCOMPARE(grid->UndoStack()->count(), 1);
        QTest::keyClick(grid.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid->GetValue(1, 1), QString("1234.5"));

        // Leaving the editor with the text it showed keeps the stored digits.
        grid->SetValue(1, 1, "1.23456");
        grid->edit(index);
        grid->TransferCurrentCell();
        QCOMPARE(grid->GetValue(1, 1), QString("1.23456"));
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
