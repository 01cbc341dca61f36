#include "ui/grid/griddelegate.h"

#include "ui/grid/gridwnd.h"

#include "ui/grid/gridmodel.h"
#include "ui/grid/readonlylook.h"

#include <QComboBox>
#include <QLineEdit>

namespace vellicor {
namespace {

CellControl ControlOf(const QModelIndex& index)
{
    return static_cast<CellControl>(index.data(RoleControl).toInt());
}

} // namespace

QStringList SplitChoices(const QString& choices)
{
    QStringList list = choices.split('\n');
    if (!list.isEmpty() && list.back().isEmpty())
        list.pop_back();
    return list;
}

// The view filters the editors' keys through this delegate, so the length control needs no signals.
CGridDelegate::CGridDelegate(QObject* parent) : QStyledItemDelegate(parent), lenEdit_(new CSLenEditCtrl(this)) {}

QWidget* CGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    switch (ControlOf(index)) {
    case CellControl::LenEdit:
        return lenEdit_->createEditor(parent, option, index);
    case CellControl::ChoiceList: {
        auto* box = new QComboBox(parent);
        box->addItems(SplitChoices(index.data(RoleChoices).toString()));
        return box;
    }
    case CellControl::Edit:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* grid = qobject_cast<const CSGridWnd*>(parent());
    if ((index.flags() & Qt::ItemIsEditable) && !(grid && grid->IsReadOnly()))
        return;
    const QColor background = option->backgroundBrush.style() == Qt::NoBrush
                                  ? option->palette.color(QPalette::Base)
                                  : option->backgroundBrush.color();
    option->backgroundBrush = ReadOnlyShade(background);
}

void CGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    switch (ControlOf(index)) {
    case CellControl::LenEdit:
        lenEdit_->setEditorData(editor, index);
        return;
    case CellControl::ChoiceList: {
        // A value that is not among the choices stays selectable, so that opening the list loses nothing.
        auto* box = static_cast<QComboBox*>(editor);
        const QString value = index.data(RoleStored).toString();
        int i = box->findText(value);
        if (i < 0) {
            box->insertItem(0, value);
            i = 0;
        }
        box->setCurrentIndex(i);
        return;
    }
    case CellControl::Edit:
        break;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QString typed;
    switch (ControlOf(index)) {
    case CellControl::LenEdit:
        // The cell keeps millimetres; what was typed is told as it was.
        typed = static_cast<QLineEdit*>(editor)->text();
        lenEdit_->setModelData(editor, model, index);
        break;
    case CellControl::ChoiceList:
        typed = static_cast<QComboBox*>(editor)->currentText();
        model->setData(index, typed, Qt::EditRole);
        break;
    case CellControl::Edit:
        QStyledItemDelegate::setModelData(editor, model, index);
        typed = index.data(Qt::EditRole).toString();
        break;
    }
    if (auto* grid = qobject_cast<CSGridWnd*>(parent()))
        emit grid->CellTyped(index.row() + 1, index.column() + 1, typed);
}

} // namespace vellicor
