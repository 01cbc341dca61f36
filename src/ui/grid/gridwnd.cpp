#include "ui/grid/gridwnd.h"

#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/usermessages.h"
#include "ui/grid/exprparser.h"
#include "ui/dialogs/expressiondlg.h"
#include "ui/grid/gridclipboard.h"
#include "ui/grid/griddelegate.h"
#include "ui/grid/gridexpression.h"
#include "ui/grid/gridlayouts.h"
#include "ui/grid/lenedititem.h"
#include "ui/uitext.h"
#include "units/numtext.h"
#include "units/textutil.h"
#include "units/units.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QUndoStack>

#include <algorithm>

namespace vellicor {
namespace {

constexpr const char* kGridSection = "Grid";
constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

// One typed cell.
class CellEditCommand : public QUndoCommand {
public:
    CellEditCommand(CGridModel& model, int row, int col, QString before, QString after)
        : QUndoCommand(QStringLiteral("Typing")), model_(model), row_(row), col_(col), before_(std::move(before)),
          after_(std::move(after))
    {
    }
    void undo() override { model_.SetValue(row_, col_, before_); }
    // The first redo is the edit itself, already made.
    void redo() override
    {
        if (!first_)
            model_.SetValue(row_, col_, after_);
        first_ = false;
    }

private:
    CGridModel& model_;
    int row_;
    int col_;
    QString before_;
    QString after_;
    bool first_ = true;
};

// A transaction: the rows before and after it.
class TransactionCommand : public QUndoCommand {
public:
    TransactionCommand(CGridModel& model, const QString& name, CGridModel::Rows before, CGridModel::Rows after)
        : QUndoCommand(name), model_(model), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { model_.Restore(before_); }
    void redo() override
    {
        if (!first_)
            model_.Restore(after_);
        first_ = false;
    }

private:
    CGridModel& model_;
    CGridModel::Rows before_;
    CGridModel::Rows after_;
    bool first_ = true;
};

bool IsEditKey(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy)
        || key->matches(QKeySequence::Paste) || key->key() == Qt::Key_Delete;
}

} // namespace

CSGridWnd::CSGridWnd(const QString& layout, UiServices services, QWidget* parent)
    : QTableView(parent), model_(new CGridModel(this)), undo_(new QUndoStack(this)), services_(services)
{
    setModel(model_);
    setItemDelegate(new CGridDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(kEditTriggers);
    // A value split over two lines reads as two values; one too long for its column is cut instead.
    setWordWrap(false);
    if (const CGridLayout* l = FindGridLayout(layout)) {
        model_->SetColCount(static_cast<int>(l->columns.size()));
        for (int c = 1; c <= GetColCount(); ++c) {
            const CGridLayout::Column& column = l->columns[static_cast<std::size_t>(c - 1)];
            model_->SetValue(0, c, HeaderText(QString::fromUtf8(column.header)));
            setColumnWidth(c - 1, column.width);
        }
        model_->SetRowCount(l->rows);
    }
    connect(model_, &CGridModel::CellEdited, this, [this](int row, int col, const QString& before, const QString& after) {
        if (transDepth_ == 0)
            undo_->push(new CellEditCommand(*model_, row, col, before, after));
        UserChanged();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &CSGridWnd::FitColumnsLater);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &CSGridWnd::FitColumnsLater);
    connect(model_, &QAbstractItemModel::dataChanged, this, &CSGridWnd::FitColumnsLater);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &CSGridWnd::FitColumnsLater);
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &CSGridWnd::FitColumnsLater);
    FitColumnsLater();
    // The corner button is the view's only button child.
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
}

CSGridWnd::~CSGridWnd()
{
    SaveWidths();
}

void CSGridWnd::SetLayoutName(const QString& name)
{
    layoutName_ = name.trimmed();
    if (layoutName_.isEmpty())
        return;
    const std::string key = layoutName_.toStdString();
    std::vector<std::string> cols;
    std::vector<std::string> widths;
    SplitString(services_.settings.GetProfileString(kGridSection, key + "Name", ""), cols, ",");
    SplitString(services_.settings.GetProfileString(kGridSection, key + "Width", ""), widths, ",");
    for (std::size_t i = 0; i < cols.size() && i < widths.size(); ++i) {
        const int col = ParseInt(cols[i]);
        if (col >= 1 && col <= GetColCount())
            setColumnWidth(col - 1, std::max(ParseInt(widths[i]), 0));
    }
    if (corner_)
        corner_->update();
    Redraw();
}

void CSGridWnd::SaveWidths() const
{
    if (layoutName_.isEmpty())
        return;
    std::string cols;
    std::string widths;
    for (int c = 1; c <= GetColCount(); ++c) {
        if (IsColHidden(c))
            continue;
        cols += std::to_string(c) + ",";
        widths += std::to_string(columnWidth(c - 1)) + ",";
    }
    const std::string key = layoutName_.toStdString();
    services_.settings.WriteString(kGridSection, key + "Width", widths);
    services_.settings.WriteString(kGridSection, key + "Name", cols);
}

int CSGridWnd::GetRowCount() const
{
    return model_->RowCount();
}

int CSGridWnd::GetColCount() const
{
    return model_->ColCount();
}

void CSGridWnd::SetRowCount(int rows)
{
    model_->SetRowCount(rows);
}

void CSGridWnd::SetColCount(int cols)
{
    model_->SetColCount(cols);
}

void CSGridWnd::InsertRows(int row, int count)
{
    model_->InsertRows(row, count);
}

void CSGridWnd::RemoveRows(int first, int last)
{
    model_->RemoveRows(first, last);
}

QString CSGridWnd::GetValue(int row, int col) const
{
    return model_->Value(row, col);
}

void CSGridWnd::SetValue(int row, int col, const QString& value)
{
    model_->SetValue(row, col, value);
}

double CSGridWnd::GetNumber(int row, int col) const
{
    return ParseDouble(GetValue(row, col).toStdString());
}

QString CSGridWnd::GetDisplayText(int row, int col) const
{
    return model_->DisplayText(row, col);
}

bool CSGridWnd::IsRowBlank(int row) const
{
    for (int c = 1; c <= GetColCount(); ++c)
        if (!GetValue(row, c).trimmed().isEmpty())
            return false;
    return true;
}

CGridStyle CSGridWnd::GetStyle(int row, int col) const
{
    return model_->Style(row, col);
}

void CSGridWnd::SetStyleRange(const CGridRange& range, const CGridStyle& style)
{
    model_->SetStyle(range, style);
}

void CSGridWnd::HideCols(int first, int last, bool hide)
{
    for (int c = std::max(first, 1); c <= std::min(last, GetColCount()); ++c)
        setColumnHidden(c - 1, hide);
    if (!hide)
        FitColumnsLater();
}

bool CSGridWnd::IsColHidden(int col) const
{
    return isColumnHidden(col - 1);
}

std::vector<int> CSGridWnd::VisibleCols() const
{
    std::vector<int> cols;
    for (int c = 1; c <= GetColCount(); ++c)
        if (!IsColHidden(c))
            cols.push_back(c);
    return cols;
}

void CSGridWnd::GetCurrentCell(int& row, int& col) const
{
    const QModelIndex current = currentIndex();
    row = current.isValid() ? current.row() + 1 : 0;
    col = current.isValid() ? current.column() + 1 : 0;
}

void CSGridWnd::SetCurrentCell(int row, int col)
{
    const QModelIndex index = model_->index(row - 1, col - 1);
    if (!index.isValid())
        return;
    // Whatever keys are held, a move made by the program selects just the new cell.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void CSGridWnd::GetLastCurrentCell(int& row, int& col) const
{
    row = lastRow_;
    col = lastCol_;
}

void CSGridWnd::TransferCurrentCell()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CSGridWnd::Redraw()
{
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void CSGridWnd::LockUpdate(bool lock)
{
    if (lock) {
        if (paintLocks_++ == 0)
            viewport()->setUpdatesEnabled(false);
    } else if (paintLocks_ > 0 && --paintLocks_ == 0) {
        viewport()->setUpdatesEnabled(true);
        Redraw();
    }
}

void CSGridWnd::FitColumnsLater()
{
    if (fitPending_)
        return;
    fitPending_ = true;
    QMetaObject::invokeMethod(this, [this] {
        fitPending_ = false;
        FitColumns();
    }, Qt::QueuedConnection);
}

void CSGridWnd::FitColumns()
{
    // Beyond this many rows the cost would show; the first rows tell the widths well enough.
    constexpr int kRowsMeasured = 2000;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int rows = std::min(model_->rowCount(), kRowsMeasured);
    const int gridSlack = (showGrid() ? 1 : 0) + 2;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        int cells = 0;
        for (int r = 0; r < rows; ++r)
            cells = std::max(cells, itemDelegate()->sizeHint(option, model_->index(r, c)).width());
        // The grid line takes a pixel of the column, and a text measured to its last pixel can
        // still be elided when painted.
        const int need = std::min(std::max(horizontalHeader()->sectionSizeHint(c), cells + gridSlack), kMaxFitWidth);
        if (need > columnWidth(c))
            setColumnWidth(c, need);
    }
}

void CSGridWnd::BeginTrans(const QString& name)
{
    if (transDepth_++ > 0)
        return;
    transName_ = name;
    transBefore_ = model_->Snapshot();
}

void CSGridWnd::CommitTrans()
{
    if (transDepth_ == 0 || --transDepth_ > 0)
        return;
    undo_->push(new TransactionCommand(*model_, transName_, std::move(transBefore_), model_->Snapshot()));
    transBefore_.clear();
}

void CSGridWnd::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : kEditTriggers);
}

void CSGridWnd::SetExpressionColumn(int col, bool numeric, bool text)
{
    auto add = [col](std::vector<int>& cols) {
        if (std::find(cols.begin(), cols.end(), col) == cols.end())
            cols.push_back(col);
    };
    if (numeric)
        add(numericExprCols_);
    if (text)
        add(textExprCols_);
}

void CSGridWnd::Notify(int code)
{
    emit Notification(code);
}

void CSGridWnd::SetModified(bool modified)
{
    const bool was = modified_;
    modified_ = modified;
    if (modified && !was)
        emit Edited();
}

void CSGridWnd::UserChanged()
{
    SetModified(true);
}

// ---- keyboard and mouse

bool CSGridWnd::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && IsEditKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            LockUpdate(true);
            Tab(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            LockUpdate(false);
            return true;
        }
    }
    return QTableView::event(event);
}

void CSGridWnd::keyPressEvent(QKeyEvent* event)
{
    LockUpdate(true);
    if (event->matches(QKeySequence::Undo)) {
        int row = 0;
        int col = 0;
        GetCurrentCell(row, col);
        if (!readOnly_ && undo_->canUndo()) {
            undo_->undo();
            UserChanged();
            SetCurrentCell(std::min(row, GetRowCount()), col);
        }
    } else if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::Paste)) {
        Paste();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        MoveDown();
    } else if (event->key() == Qt::Key_Delete) {
        // Without whole rows to delete, the key clears the selected cells.
        if (!readOnly_) {
            const DeleteResult result = DeleteRows();
            if (result == DeleteResult::NoWholeRows || result == DeleteResult::AllRows)
                ClearSelectedCells();
        }
    } else {
        QTableView::keyPressEvent(event);
    }
    LockUpdate(false);
}

void CSGridWnd::Tab(bool backwards)
{
    const std::vector<int> cols = VisibleCols();
    const int rows = GetRowCount();
    if (cols.empty() || rows == 0)
        return;
    int row = 0;
    int col = 0;
    GetCurrentCell(row, col);
    if (row == 0) {
        SetCurrentCell(1, cols.front());
        return;
    }
    const auto pos = std::lower_bound(cols.begin(), cols.end(), col) - cols.begin();
    if (!backwards) {
        if (pos + 1 < static_cast<std::ptrdiff_t>(cols.size()))
            SetCurrentCell(row, cols[static_cast<std::size_t>(pos + 1)]);
        else if (row < rows)
            SetCurrentCell(row + 1, cols.front());
        else if (allowAppendRows_)
            AppendRowAndNotify();
    } else {
        if (pos > 0)
            SetCurrentCell(row, cols[static_cast<std::size_t>(pos - 1)]);
        else if (row == 1)
            SetCurrentCell(rows, cols.back());
        else
            SetCurrentCell(row - 1, cols.back());
    }
}

void CSGridWnd::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // TAB in an open editor takes the grid's own TAB rules.
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        Tab(hint == QAbstractItemDelegate::EditPreviousItem);
        return;
    }
    QTableView::closeEditor(editor, hint);
    // Enter in an open editor, as in a spreadsheet.
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        MoveDown();
}

void CSGridWnd::MoveDown()
{
    int row = 0;
    int col = 0;
    GetCurrentCell(row, col);
    if (row >= 1 && row < GetRowCount())
        SetCurrentCell(row + 1, col);
}

void CSGridWnd::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        lastRow_ = index.row() + 1;
        lastCol_ = index.column() + 1;
        Notify(NotifyLeftClick);
    }
}

void CSGridWnd::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    QMenu* menu = CreateContextMenu(index.row() + 1, index.column() + 1);
    menu->exec(event->globalPos());
    delete menu;
}

void CSGridWnd::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && current.isValid() && current != previous && !notifyingMove_) {
        notifyingMove_ = true;
        if (current.row() != previous.row())
            Notify(NotifyRowChanged);
        Notify(NotifyCellChanged);
        notifyingMove_ = false;
        // A move made by the owner meanwhile has reported itself.
        if (currentIndex() != current)
            return;
    }
    if (current.isValid()) {
        lastRow_ = current.row() + 1;
        lastCol_ = current.column() + 1;
        Notify(NotifyMovedCell);
    }
}

bool CSGridWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == corner_ && !layoutName_.isEmpty()) {
        PaintCorner(corner_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void CSGridWnd::PaintCorner(QWidget* corner)
{
    QPainter painter(corner);
    painter.fillRect(corner->rect(), kCornerColour);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(corner->rect().adjusted(0, 0, -1, -1));
}

// ---- row commands

std::vector<std::pair<int, int>> CSGridWnd::SelectedRowBlocks() const
{
    std::vector<std::pair<int, int>> blocks;
    for (int r = 1; r <= GetRowCount(); ++r) {
        if (!selectionModel()->isRowSelected(r - 1, QModelIndex()))
            continue;
        if (!blocks.empty() && blocks.back().second == r - 1)
            blocks.back().second = r;
        else
            blocks.emplace_back(r, r);
    }
    return blocks;
}

CSGridWnd::DeleteResult CSGridWnd::DeleteRows()
{
    const auto blocks = SelectedRowBlocks();
    if (!allowDeleteRows_ || blocks.empty())
        return DeleteResult::NoWholeRows;
    if (keepOneRow_ && blocks.front().first == 1 && blocks.front().second == GetRowCount())
        return DeleteResult::AllRows;
    deleteProceed_ = true;
    Notify(NotifyDeletingRows);
    if (!deleteProceed_)
        return DeleteResult::Cancelled;
    TransferCurrentCell();
    LockUpdate(true);
    BeginTrans(QStringLiteral("Delete Rows"));
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it)
        model_->RemoveRows(it->first, it->second);
    CommitTrans();
    LockUpdate(false);
    UserChanged();
    Notify(NotifyRowsDeleted);
    return DeleteResult::Deleted;
}

void CSGridWnd::DeleteRowsCommand()
{
    if (readOnly_)
        return;
    switch (DeleteRows()) {
    case DeleteResult::NoWholeRows: services_.messages.Tell(kMsgSelectRowToDelete); break;
    case DeleteResult::AllRows: services_.messages.Tell(kMsgCannotDeleteLastRow); break;
    case DeleteResult::Deleted:
    case DeleteResult::Cancelled: break;
    }
}

void CSGridWnd::ClearSelectedCells()
{
    QModelIndexList cells = selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells.append(currentIndex());
    BeginTrans(QStringLiteral("Clear"));
    bool changed = false;
    for (const QModelIndex& cell : cells) {
        const int row = cell.row() + 1;
        const int col = cell.column() + 1;
        if (model_->IsReadOnly(row, col) || GetValue(row, col).isEmpty())
            continue;
        model_->SetValue(row, col, QString());
        changed = true;
    }
    CommitTrans();
    if (changed)
        UserChanged();
}

void CSGridWnd::InsertRow()
{
    if (readOnly_ || !allowInsertRows_)
        return;
    int row = 0;
    int col = 0;
    GetCurrentCell(row, col);
    BeginTrans(QStringLiteral("Insert Row"));
    model_->InsertRows(std::max(row, 1), 1);
    CommitTrans();
    UserChanged();
}

void CSGridWnd::AppendRow()
{
    if (!readOnly_ && allowAppendRows_)
        AppendRowAndNotify();
}

void CSGridWnd::AppendRowAndNotify()
{
    BeginTrans(QStringLiteral("Append Row"));
    model_->InsertRows(GetRowCount() + 1, 1);
    CommitTrans();
    UserChanged();
    const std::vector<int> cols = VisibleCols();
    SetCurrentCell(GetRowCount(), cols.empty() ? 1 : cols.front());
    Notify(NotifyRowAppended);
}

// ---- clipboard

bool CSGridWnd::SelectedBlock(int& top, int& left, int& bottom, int& right) const
{
    const QItemSelection selection = selectionModel()->selection();
    if (!selection.isEmpty()) {
        const QItemSelectionRange& range = selection.first();
        top = range.top() + 1;
        left = range.left() + 1;
        bottom = range.bottom() + 1;
        right = range.right() + 1;
        return true;
    }
    GetCurrentCell(top, left);
    bottom = top;
    right = left;
    return top > 0;
}

void CSGridWnd::Copy()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!SelectedBlock(top, left, bottom, right))
        return;
    TransferCurrentCell();
    std::vector<QStringList> rows;
    for (int r = top; r <= bottom; ++r) {
        QStringList fields;
        for (int c = left; c <= right; ++c)
            if (!IsColHidden(c))
                fields.append(GetDisplayText(r, c));
        rows.push_back(fields);
    }
    QGuiApplication::clipboard()->setText(JoinTabText(rows));
}

void CSGridWnd::Cut()
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (readOnly_ || !SelectedBlock(top, left, bottom, right))
        return;
    Copy();
    BeginTrans(QStringLiteral("Cut"));
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            if (!model_->IsReadOnly(r, c) && !IsColHidden(c))
                model_->SetValue(r, c, QString());
    CommitTrans();
    UserChanged();
}

void CSGridWnd::Paste()
{
    if (!allowPaste_ || readOnly_)
        return;
    const std::vector<QStringList> rows = SplitTabText(QGuiApplication::clipboard()->text());
    const std::vector<int> cols = VisibleCols();
    if (rows.empty() || cols.empty())
        return;
    TransferCurrentCell();
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!SelectedBlock(top, left, bottom, right)) {
        top = 1;
        left = cols.front();
    }
    const auto first = std::lower_bound(cols.begin(), cols.end(), left) - cols.begin();
    LockUpdate(true);
    BeginTrans(QStringLiteral("Paste"));
    // Rows grow as the block needs; columns never do, so what lies beyond the last one is dropped.
    const int lastRow = top + static_cast<int>(rows.size()) - 1;
    if (lastRow > GetRowCount())
        model_->InsertRows(GetRowCount() + 1, lastRow - GetRowCount());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = top + static_cast<int>(i);
        for (int j = 0; j < rows[i].size(); ++j) {
            const auto pos = static_cast<std::size_t>(first + j);
            if (pos >= cols.size())
                break;
            const int col = cols[pos];
            if (model_->IsReadOnly(row, col))
                continue;
            const CGridStyle style = GetStyle(row, col);
            const QString& text = rows[i][j];
            const bool length = style.control.value_or(CellControl::Edit) == CellControl::LenEdit;
            model_->SetValue(row, col, length ? LenEditPastedValue(text, style.IsArea()) : text);
        }
    }
    CommitTrans();
    LockUpdate(false);
    UserChanged();
}

// ---- expressions

double CSGridWnd::ToUserUnit(int row, int col, double value) const
{
    const CGridStyle style = GetStyle(row, col);
    if (style.control.value_or(CellControl::Edit) != CellControl::LenEdit)
        return value;
    if (style.IsArea())
        return value / UnitTable()[static_cast<std::size_t>(CurrentUnitSettings().areaUnit)].mm2PerUnit;
    return LengthToUnit(value);
}

double CSGridWnd::FromUserUnit(int row, int col, double value) const
{
    const CGridStyle style = GetStyle(row, col);
    if (style.control.value_or(CellControl::Edit) != CellControl::LenEdit)
        return value;
    if (style.IsArea())
        return value * UnitTable()[static_cast<std::size_t>(CurrentUnitSettings().areaUnit)].mm2PerUnit;
    return LengthFromUnit(value);
}

bool CSGridWnd::ExpressionBlock(bool numeric, int& top, int& left, int& bottom, int& right) const
{
    if (!SelectedBlock(top, left, bottom, right))
        return false;
    const std::vector<int>& allowed = numeric ? numericExprCols_ : textExprCols_;
    for (int c = left; c <= right; ++c) {
        if (std::find(allowed.begin(), allowed.end(), c) == allowed.end()) {
            services_.messages.Tell(kMsgExpressionColumns);
            return false;
        }
    }
    return true;
}

bool CSGridWnd::ApplyExpression(const QString& expression, bool numeric)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (readOnly_ || !ExpressionBlock(numeric, top, left, bottom, right))
        return false;
    TransferCurrentCell();
    std::vector<bool> hidden;
    for (int c = 1; c <= GetColCount(); ++c)
        hidden.push_back(IsColHidden(c));
    const std::vector<ColumnRef> refs = FindColumnRefs(expression, hidden);
    CParser parser;
    parser.Reset();
    const std::string evaluated = QString(expression).replace('$', 'V').toStdString();

    // Every value is worked out before any cell changes, so that an error leaves the grid as it was.
    std::vector<QString> results;
    for (int c = left; c <= right && numeric; ++c) {
        for (int r = top; r <= bottom; ++r) {
            if (model_->IsReadOnly(r, c))
                continue;
            double ignored = 0;
            for (const ColumnRef& ref : refs) {
                const double value = ref.number == 0 ? r : ToUserUnit(r, ref.column, GetNumber(r, ref.column));
                parser.Eval(AssignmentText("V" + std::to_string(ref.number), value), &ignored);
            }
            parser.Eval(AssignmentText("VX", ToUserUnit(r, c, GetNumber(r, c))), &ignored);
            double result = 0;
            if (parser.Eval(evaluated, &result) != 0) {
                services_.messages.Tell(ids::ExpressionSyntax, {expression.toStdString()});
                return false;
            }
            results.push_back(QString::fromStdString(FormatNumber(FromUserUnit(r, c, result))));
        }
    }

    BeginTrans(QStringLiteral("EditData"));
    auto next = results.begin();
    for (int c = left; c <= right; ++c) {
        for (int r = top; r <= bottom; ++r) {
            if (model_->IsReadOnly(r, c))
                continue;
            if (numeric) {
                model_->SetValue(r, c, *next++);
            } else {
                QString text = expression;
                for (const ColumnRef& ref : refs)
                    text.replace('$' + QString::number(ref.number),
                                  ref.number == 0 ? QString::number(r) : GetDisplayText(r, ref.column));
                const QString own = GetValue(r, c);
                text.replace(QLatin1String("$X"), own).replace(QLatin1String("$x"), own);
                model_->SetValue(r, c, text);
            }
        }
    }
    CommitTrans();
    UserChanged();
    Redraw();
    Notify(NotifyMovedCell);
    return true;
}

void CSGridWnd::RunExpressionDialog(bool numeric)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (readOnly_ || !ExpressionBlock(numeric, top, left, bottom, right))
        return;
    CExpressionDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        ApplyExpression(dialog.Expression(), numeric);
}

void CSGridWnd::EvaluateExpression()
{
    RunExpressionDialog(true);
}

void CSGridWnd::FormatExpression()
{
    RunExpressionDialog(false);
}

// ---- context menu

QMenu* CSGridWnd::CreateContextMenu(int, int col)
{
    auto* menu = new QMenu(this);
    auto add = [this, menu](MenuItem item, void (CSGridWnd::*command)(), bool enabled) {
        QAction* action = menu->addAction(UiText(MenuItemTextId(kContextMenu, item)));
        action->setData(static_cast<int>(item));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    auto contains = [col](const std::vector<int>& cols) { return std::find(cols.begin(), cols.end(), col) != cols.end(); };
    add(MenuCut, &CSGridWnd::Cut, true);
    add(MenuCopy, &CSGridWnd::Copy, true);
    add(MenuPaste, &CSGridWnd::Paste, true);
    menu->addSeparator();
    add(MenuDelete, &CSGridWnd::DeleteRowsCommand, true);
    add(MenuInsertRow, &CSGridWnd::InsertRow, allowInsertRows_);
    add(MenuAppendRow, &CSGridWnd::AppendRow, true);
    add(MenuEvaluate, &CSGridWnd::EvaluateExpression, contains(numericExprCols_));
    add(MenuFormat, &CSGridWnd::FormatExpression, contains(textExprCols_));
    return menu;
}

} // namespace vellicor
