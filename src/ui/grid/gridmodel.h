#pragma once

#include "ui/grid/gridstyle.h"

#include <QAbstractTableModel>

#include <vector>

namespace vellicor {

// Roles beyond Qt's through which the delegates learn how to edit a cell.
enum GridRole {
    RoleControl = Qt::UserRole + 1,  // CellControl as int
    RoleChoices,                     // the choices of a choice list, each followed by "\n"
    RoleArea,                        // true for an area cell
    RoleStored,                      // the stored value, where the display role shows it converted
};

// The cells of a grid: every value is text, with its style. Grid rows and columns count from 1;
// row 0 holds the column headers. The model index of cell (r, c) is (r - 1, c - 1).
class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Cell {
        QString value;
        CGridStyle style;
    };
    struct Row {
        CGridStyle style;
        std::vector<Cell> cells;
    };
    // Everything an undo step restores.
    using Rows = std::vector<Row>;

    explicit CGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The edit role is the user's typing: the value is stored as given and CellEdited reports it.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColCount() const { return static_cast<int>(headers_.size()); }
    void SetRowCount(int rows);
    void SetColCount(int cols);
    // Inserts `count` empty rows before row `row` (RowCount() + 1 appends).
    void InsertRows(int row, int count);
    void RemoveRows(int first, int last);

    // Row 0 gives the column header.
    QString Value(int row, int col) const;
    void SetValue(int row, int col, const QString& value);
    // What the cell shows: a length cell its value in the current unit.
    QString DisplayText(int row, int col) const;

    CGridStyle Style(int row, int col) const;
    void SetStyle(const CGridRange& range, const CGridStyle& style);
    bool IsReadOnly(int row, int col) const { return Style(row, col).readOnly.value_or(false); }

    const Rows& Snapshot() const { return rows_; }
    void Restore(const Rows& rows);

signals:
    void CellEdited(int row, int col, const QString& before, const QString& after);

private:
    Row EmptyRow() const;
    void EmitChanged(int top, int left, int bottom, int right);

    Rows rows_;
    std::vector<QString> headers_;
    std::vector<CGridStyle> colStyles_;
    CGridStyle tableStyle_;
};

} // namespace vellicor
