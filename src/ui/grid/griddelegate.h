#pragma once

#include "ui/grid/lenedititem.h"

#include <QStyledItemDelegate>

namespace vellicor {

// Edits every cell of a grid by its control: plain text, a length (CSLenEditCtrl) or a choice list.
class CGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CGridDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    // A cell the planner cannot change is shaded.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    CSLenEditCtrl* lenEdit_;
};

// The choices of a choice-list text, each followed by "\n".
QStringList SplitChoices(const QString& choices);

} // namespace vellicor
