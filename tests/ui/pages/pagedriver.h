#pragma once

#include "model/vellicordoc.h"
#include "support/choosefile.h"
#include "support/resultfixture.h"
#include "support/uifixture.h"
#include "ui/dialogs/csvimportdlg.h"
#include "ui/grid/gridwnd.h"
#include "ui/pages/page.h"
#include "ui/pages/sheet.h"
#include "ui/pages/vellicorview.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace vellicor::test {

inline const QString kMaterials = QStringLiteral("crca\nsteel\n");

// The tabs of a job window.
enum Tab { TabRolls, TabSlits, TabParts, TabResults };

// A job window as the planner sees it: the sheet with its pages on `doc`.
class JobWindow {
public:
    // `inventory` and `dialogs` serve "Import Rolls From Database...".
    JobWindow(CVellicorDoc& doc, UiFixture& ui, CsInventory* inventory = nullptr, IInventoryDialogs* dialogs = nullptr)
        : results_(ui.messages), view_(doc, Services(ui, inventory, dialogs), results_.Services())
    {
    }

    CSSheet& Sheet() const { return *view_.Sheet(); }
    // Shows the tab; false when the page that was shown refused to be left.
    bool Show(Tab tab) { return Sheet().SetActivePage(tab); }
    template <class Page>
    Page& PageAt(Tab tab) const
    {
        return *static_cast<Page*>(Sheet().GetPage(tab));
    }
    // The grid of the page shown.
    CSGridWnd& Grid() const { return *Sheet().GetActivePage()->GetGrid(); }

private:
    static UiServices Services(UiFixture& ui, CsInventory* inventory, IInventoryDialogs* dialogs)
    {
        UiServices services = ui.Services();
        services.inventory = inventory;
        services.inventoryDialogs = dialogs;
        services.materialChoices = [] { return kMaterials.toStdString(); };
        return services;
    }

    ResultFixture results_;
    CVellicorView view_;
};

// Opens the cell's editor and puts `text` into it as the planner types or picks it; the editor
// stays open.
inline void Type(CSGridWnd& grid, int row, int col, const QString& text)
{
    grid.SetCurrentCell(row, col);
    const QModelIndex cell = grid.model()->index(row - 1, col - 1);
    grid.edit(cell);
    QWidget* editor = grid.indexWidget(cell);
    QVERIFY(editor);
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        QVERIFY(box->findText(text) >= 0);
        box->setCurrentIndex(box->findText(text));
    } else {
        auto* line = qobject_cast<QLineEdit*>(editor);
        QVERIFY(line);
        line->setText(text);
    }
}

// Types into the cell and presses TAB.
inline void TypeAndTab(CSGridWnd& grid, int row, int col, const QString& text)
{
    Type(grid, row, col, text);
    QWidget* editor = grid.indexWidget(grid.model()->index(row - 1, col - 1));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Tab);
}

// Types a row's cells in order, from column 1, each followed by TAB; an empty text skips the cell.
inline void TypeRow(CSGridWnd& grid, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        if (!cells[c].isNull())
            TypeAndTab(grid, row, c + 1, cells[c]);
}

// Presses TAB in the last cell of the last row: the grid grows by one row.
inline void AppendRowByTab(CSGridWnd& grid)
{
    grid.SetCurrentCell(grid.GetRowCount(), grid.GetColCount());
    QTest::keyClick(&grid, Qt::Key_Tab);
}

// The values of a column, row by row, and of a row, column by column.
inline QStringList Column(const CSGridWnd& grid, int col)
{
    QStringList values;
    for (int r = 1; r <= grid.GetRowCount(); ++r)
        values.append(grid.GetValue(r, col));
    return values;
}

inline QStringList Row(const CSGridWnd& grid, int row)
{
    QStringList values;
    for (int c = 1; c <= grid.GetColCount(); ++c)
        values.append(grid.GetValue(row, c));
    return values;
}

// The page's button of that control id.
inline QPushButton* Button(const CSPage& page, int id)
{
    return page.findChild<QPushButton*>(QString::number(id));
}

inline bool IsFlagged(const CSGridWnd& grid, int row)
{
    return grid.GetStyle(row, 1).interior == kFlaggedRowColour;
}

// Selects row `row` by its header and presses Delete.
inline void DeleteRow(CSGridWnd& grid, int row)
{
    grid.selectionModel()->select(grid.model()->index(row - 1, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(&grid, Qt::Key_Delete);
}

// Handles the next modal dialog of type D as `act` says, once it shows within 20 seconds.
template <class D, class Act>
void WhenShown(Act act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries = 0]() mutable {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog && ++tries < 2000)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            act(*dialog);
    });
    timer->start(10);
}

// Answers the file dialog with `file`, then checks the CSV dialog's caption, items and examples and
// imports with the mapping the settings hold.
inline void WhenImporting(const QString& file, const QString& caption, const QStringList& items,
                          const QStringList& examples)
{
    WhenShown<QFileDialog>([file](QFileDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Import PartList from Comma Separated Value (.CSV) file"));
        QVERIFY(ChooseFile(dialog, file));
    });
    WhenShown<CCsvImportDlg>([=](CCsvImportDlg& dialog) {
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(Column(*dialog.MappingGrid(), CCsvImportDlg::ColItem), items);
        QCOMPARE(Column(*dialog.MappingGrid(), CCsvImportDlg::ColExample), examples);
        dialog.accept();
    });
}

} // namespace vellicor::test
