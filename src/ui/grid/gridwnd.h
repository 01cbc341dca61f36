#pragma once

#include "ui/grid/gridmodel.h"
#include "ui/uiservices.h"

#include <QTableView>

#include <vector>

class QAbstractButton;
class QMenu;
class QUndoStack;

namespace vellicor {

// What a grid tells its owner through Notification().
enum GridNotification {
    NotifyCellChanged = 1,   // the current cell moved to another cell (after the move)
    NotifyRowChanged = 2,    // the current cell moved to another row (sent before 1)
    NotifyLeftClick = 4,     // a cell was clicked with the left button
    NotifyMovedCell = 5,     // the current cell moved to a cell; also after an expression command
    NotifyDeletingRows = 6,  // selected rows are about to go; SetDeleteProceed(false) keeps them
    NotifyRowAppended = 7,   // a row was appended at the end and is the current row
    NotifyRowsDeleted = 12,  // selected rows were deleted
};

// The spreadsheet-style grid every table of the job editor is built on. Rows and columns count
// from 1; row 0 holds the column headers. Every value is text; numeric cells hold numbers in
// millimetres, square millimetres or kilograms. Changes the user makes mark the grid modified and
// can be undone; changes made through this interface do neither.
class CSGridWnd : public QTableView {
    Q_OBJECT
public:
    static constexpr int kMsgSelectRowToDelete = 201;
    static constexpr int kMsgExpressionColumns = 203;
    static constexpr int kMsgCannotDeleteLastRow = 204;
    static constexpr int kContextMenu = 226;
    // Positions of the context menu's items, which also number their texts.
    enum MenuItem {
        MenuCut = 1, MenuCopy, MenuPaste, MenuDelete, MenuInsertRow, MenuAppendRow, MenuEvaluate, MenuFormat,
    };

    // A grid laid out as the named layout (gridlayouts.h): rows, columns, headers and widths.
    CSGridWnd(const QString& layout, UiServices services, QWidget* parent = nullptr);
    // Keeps the column widths under the layout name.
    ~CSGridWnd() override;

    // The key under which the column widths are kept in section "Grid"; a name also colours the corner.
    void SetLayoutName(const QString& name);
    const QString& GetLayoutName() const { return layoutName_; }

    int GetRowCount() const;
    int GetColCount() const;
    void SetRowCount(int rows);
    void SetColCount(int cols);
    void InsertRows(int row, int count);
    void RemoveRows(int first, int last);

    // Row 0 is the column header.
    QString GetValue(int row, int col) const;
    void SetValue(int row, int col, const QString& value);
    // The cell read as a number as the C library reads it; text that is no number gives 0.
    double GetNumber(int row, int col) const;
    // What the cell shows: a length cell its value in the current unit.
    QString GetDisplayText(int row, int col) const;
    // True when no cell of the row holds more than blanks.
    bool IsRowBlank(int row) const;
    CGridStyle GetStyle(int row, int col) const;
    void SetStyleRange(const CGridRange& range, const CGridStyle& style);

    void HideCols(int first, int last, bool hide = true);
    bool IsColHidden(int col) const;

    // (0, 0) when there is no current cell.
    void GetCurrentCell(int& row, int& col) const;
    void SetCurrentCell(int row, int col);
    // The cell of the last click or move reported to the owner.
    void GetLastCurrentCell(int& row, int& col) const;
    // Moves the text of an open editor into its cell.
    void TransferCurrentCell();
    void Redraw();
    // Painting stops while any lock is held; the last unlock redraws.
    void LockUpdate(bool lock);
    // Widens each shown column that its header or a cell would not fit, up to kMaxFitWidth; a
    // column is never narrowed, so widths the user chose stay. Runs by itself after changes.
    void FitColumns();
    static constexpr int kMaxFitWidth = 480;

    // One undo step named `name` for every change from BeginTrans to the matching CommitTrans.
    void BeginTrans(const QString& name);
    void CommitTrans();
    QUndoStack* UndoStack() const { return undo_; }

    void SetExpressionColumn(int col, bool numeric, bool text);

    void SetAllowDeleteRows(bool allow) { allowDeleteRows_ = allow; }
    void SetKeepOneRow(bool keep) { keepOneRow_ = keep; }
    void SetAllowPaste(bool allow) { allowPaste_ = allow; }
    void SetAllowAppendRows(bool allow) { allowAppendRows_ = allow; }
    void SetAllowInsertRows(bool allow) { allowInsertRows_ = allow; }
    // A read-only grid takes no typing, pasting, cutting, row commands or expressions.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified);
    // Only while handling NotifyDeletingRows: false keeps the rows.
    void SetDeleteProceed(bool proceed) { deleteProceed_ = proceed; }

    // The commands of the context menu.
    void Cut();
    void Copy();
    void Paste();
    void DeleteRowsCommand();
    void InsertRow();
    void AppendRow();
    void EvaluateExpression();
    void FormatExpression();
    // The expression command on the selected cells without its dialog; false after message 203.
    bool ApplyExpression(const QString& expression, bool numeric);

    // The context menu for a click on cell (row, col), owned by the caller.
    QMenu* CreateContextMenu(int row, int col);

signals:
    void Notification(int code);
    // The user closed the cell's editor on this text, typed or picked.
    void CellTyped(int row, int col, const QString& text);
    // The user changed the grid since it was last marked unmodified.
    void Edited();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    enum class DeleteResult { Deleted, Cancelled, NoWholeRows, AllRows };

    void Notify(int code);
    void Tab(bool backwards);
    // The cell below becomes current; nothing happens on the last row.
    void MoveDown();
    // Whole selected rows as blocks of consecutive rows, top first.
    std::vector<std::pair<int, int>> SelectedRowBlocks() const;
    DeleteResult DeleteRows();
    void ClearSelectedCells();
    // The selection's first block (the current cell when nothing is selected); false when empty.
    bool SelectedBlock(int& top, int& left, int& bottom, int& right) const;
    // The block of an expression command; false after telling the user that a column takes none.
    bool ExpressionBlock(bool numeric, int& top, int& left, int& bottom, int& right) const;
    std::vector<int> VisibleCols() const;
    void RunExpressionDialog(bool numeric);
    void AppendRowAndNotify();
    void UserChanged();
    // A cell's number in the unit the user sees, and back.
    double ToUserUnit(int row, int col, double value) const;
    double FromUserUnit(int row, int col, double value) const;
    void PaintCorner(QWidget* corner);
    void FitColumnsLater();
    void SaveWidths() const;

    CGridModel* model_;
    QUndoStack* undo_;
    QAbstractButton* corner_ = nullptr;
    UiServices services_;
    QString layoutName_;
    std::vector<int> numericExprCols_;
    std::vector<int> textExprCols_;
    bool allowDeleteRows_ = true;
    bool keepOneRow_ = true;
    bool allowPaste_ = true;
    bool allowAppendRows_ = true;
    bool allowInsertRows_ = false;
    bool readOnly_ = false;
    bool modified_ = false;
    bool deleteProceed_ = true;
    bool fitPending_ = false;
    bool notifyingMove_ = false;
    int lastRow_ = 0;
    int lastCol_ = 0;
    int paintLocks_ = 0;
    int transDepth_ = 0;
    QString transName_;
    CGridModel::Rows transBefore_;
};

} // namespace vellicor
