#include "ui/grid/gridmodel.h"

#include "ui/grid/lenedititem.h"

#include <QBrush>

#include <algorithm>

namespace vellicor {

void CGridStyle::Merge(const CGridStyle& over)
{
    if (over.control)
        control = over.control;
    if (over.choices)
        choices = over.choices;
    if (over.readOnly)
        readOnly = over.readOnly;
    if (over.interior)
        interior = over.interior;
    if (over.tooltip)
        tooltip = over.tooltip;
    if (over.lengthOrArea)
        lengthOrArea = over.lengthOrArea;
}

CGridModel::CGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount();
}

QVariant CGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return DisplayText(row, col);
    case RoleStored:
        return Value(row, col);
    case Qt::ToolTipRole: {
        const CGridStyle style = Style(row, col);
        return style.tooltip ? QVariant(*style.tooltip) : QVariant();
    }
    case Qt::BackgroundRole: {
        const CGridStyle style = Style(row, col);
        return style.interior ? QVariant(QBrush(*style.interior)) : QVariant();
    }
    case RoleControl:
        return static_cast<int>(Style(row, col).control.value_or(CellControl::Edit));
    case RoleChoices:
        return Style(row, col).choices.value_or(QString());
    case RoleArea:
        return Style(row, col).IsArea();
    default:
        return {};
    }
}

bool CGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    const QString before = Value(row, col);
    const QString after = value.toString();
    if (before == after)
        return true;
    SetValue(row, col, after);
    emit CellEdited(row, col, before, after);
    return true;
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColCount() ? headers_[static_cast<std::size_t>(section)] : QString();
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!IsReadOnly(index.row() + 1, index.column() + 1))
        f |= Qt::ItemIsEditable;
    return f;
}

CGridModel::Row CGridModel::EmptyRow() const
{
    Row row;
    row.cells.resize(headers_.size());
    return row;
}

void CGridModel::SetRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows > RowCount())
        InsertRows(RowCount() + 1, rows - RowCount());
    else if (rows < RowCount())
        RemoveRows(rows + 1, RowCount());
}

void CGridModel::SetColCount(int cols)
{
    cols = std::max(cols, 0);
    if (cols == ColCount())
        return;
    if (cols > ColCount()) {
        beginInsertColumns({}, ColCount(), cols - 1);
        headers_.resize(static_cast<std::size_t>(cols));
        colStyles_.resize(static_cast<std::size_t>(cols));
        for (Row& row : rows_)
            row.cells.resize(static_cast<std::size_t>(cols));
        endInsertColumns();
    } else {
        beginRemoveColumns({}, cols, ColCount() - 1);
        headers_.resize(static_cast<std::size_t>(cols));
        colStyles_.resize(static_cast<std::size_t>(cols));
        for (Row& row : rows_)
            row.cells.resize(static_cast<std::size_t>(cols));
        endRemoveColumns();
    }
}

void CGridModel::InsertRows(int row, int count)
{
    row = std::clamp(row, 1, RowCount() + 1);
    if (count <= 0)
        return;
    beginInsertRows({}, row - 1, row + count - 2);
    rows_.insert(rows_.begin() + (row - 1), static_cast<std::size_t>(count), EmptyRow());
    endInsertRows();
}

void CGridModel::RemoveRows(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, RowCount());
    if (first > last)
        return;
    beginRemoveRows({}, first - 1, last - 1);
    rows_.erase(rows_.begin() + (first - 1), rows_.begin() + last);
    endRemoveRows();
}

QString CGridModel::Value(int row, int col) const
{
    if (col < 1 || col > ColCount())
        return {};
    if (row == 0)
        return headers_[static_cast<std::size_t>(col - 1)];
    if (row < 1 || row > RowCount())
        return {};
    return rows_[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(col - 1)].value;
}

void CGridModel::SetValue(int row, int col, const QString& value)
{
    if (col < 1 || col > ColCount())
        return;
    if (row == 0) {
        headers_[static_cast<std::size_t>(col - 1)] = value;
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        return;
    }
    if (row < 1 || row > RowCount())
        return;
    rows_[static_cast<std::size_t>(row - 1)].cells[static_cast<std::size_t>(col - 1)].value = value;
    EmitChanged(row, col, row, col);
}

QString CGridModel::DisplayText(int row, int col) const
{
    const QString value = Value(row, col);
    if (row == 0)
        return value;
    const CGridStyle style = Style(row, col);
    if (style.control.value_or(CellControl::Edit) == CellControl::LenEdit)
        return LenEditDisplayText(value, style.IsArea());
    return value;
}

CGridStyle CGridModel::Style(int row, int col) const
{
    CGridStyle style = tableStyle_;
    if (col >= 1 && col <= ColCount())
        style.Merge(colStyles_[static_cast<std::size_t>(col - 1)]);
    if (row >= 1 && row <= RowCount()) {
        const Row& r = rows_[static_cast<std::size_t>(row - 1)];
        style.Merge(r.style);
        if (col >= 1 && col <= ColCount())
            style.Merge(r.cells[static_cast<std::size_t>(col - 1)].style);
    }
    return style;
}

void CGridModel::SetStyle(const CGridRange& range, const CGridStyle& style)
{
    const int lastRow = RowCount();
    const int lastCol = ColCount();
    switch (range.kind) {
    case CGridRange::Kind::Table:
        tableStyle_.Merge(style);
        EmitChanged(1, 1, lastRow, lastCol);
        break;
    case CGridRange::Kind::Cols:
        for (int c = std::max(range.left, 1); c <= std::min(range.right, lastCol); ++c)
            colStyles_[static_cast<std::size_t>(c - 1)].Merge(style);
        EmitChanged(1, range.left, lastRow, range.right);
        break;
    case CGridRange::Kind::Rows:
        for (int r = std::max(range.top, 1); r <= std::min(range.bottom, lastRow); ++r)
            rows_[static_cast<std::size_t>(r - 1)].style.Merge(style);
        EmitChanged(range.top, 1, range.bottom, lastCol);
        break;
    case CGridRange::Kind::Cells:
        for (int r = std::max(range.top, 1); r <= std::min(range.bottom, lastRow); ++r)
            for (int c = std::max(range.left, 1); c <= std::min(range.right, lastCol); ++c)
                rows_[static_cast<std::size_t>(r - 1)].cells[static_cast<std::size_t>(c - 1)].style.Merge(style);
        EmitChanged(range.top, range.left, range.bottom, range.right);
        break;
    }
}

void CGridModel::Restore(const Rows& rows)
{
    beginResetModel();
    rows_ = rows;
    for (Row& row : rows_)
        row.cells.resize(headers_.size());
    endResetModel();
}

void CGridModel::EmitChanged(int top, int left, int bottom, int right)
{
    top = std::max(top, 1);
    left = std::max(left, 1);
    bottom = std::min(bottom, RowCount());
    right = std::min(right, ColCount());
    if (top <= bottom && left <= right)
        emit dataChanged(index(top - 1, left - 1), index(bottom - 1, right - 1));
}

} // namespace vellicor
