#pragma once

#include <QStyledItemDelegate>

namespace vellicor {

// A number as a cell stores it: up to 13 significant digits, no thousands separators.
QString PlainNumberText(double value);

// Length cells store millimetres (square millimetres for an area cell) and show the current unit.
// An empty cell stays empty both ways.
QString LenEditDisplayText(const QString& stored, bool area);
// What the cell stores for text the user typed in the current unit.
QString LenEditTypedValue(const QString& typed, bool area);
// What the cell stores for pasted text: read in the current unit, except that with the millimetre
// (square millimetre) the text is stored as pasted.
QString LenEditPastedValue(const QString& pasted, bool area);

// The cell control of length cells: edits the value in the current unit.
class CSLenEditCtrl : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace vellicor
