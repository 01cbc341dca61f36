#include "ui/grid/lenedititem.h"

#include "ui/grid/gridmodel.h"
#include "units/numtext.h"
#include "units/units.h"

#include <QLineEdit>

#include <cstdio>

namespace vellicor {

QString PlainNumberText(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.13g", value);
    return QString::fromLatin1(buf);
}

QString LenEditDisplayText(const QString& stored, bool area)
{
    if (stored.trimmed().isEmpty())
        return {};
    const double value = ParseDouble(stored.toStdString());
    return QString::fromStdString(area ? FormatArea(value) : FormatLength(value));
}

QString LenEditTypedValue(const QString& typed, bool area)
{
    if (typed.trimmed().isEmpty())
        return {};
    const std::string text = typed.toStdString();
    return PlainNumberText(area ? ParseArea(text) : ParseLength(text));
}

QString LenEditPastedValue(const QString& pasted, bool area)
{
    const UnitSettings& units = CurrentUnitSettings();
    if ((area ? units.areaUnit : units.lengthUnit) == kUnitMm)
        return pasted;
    return LenEditTypedValue(pasted, area);
}

QWidget* CSLenEditCtrl::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setMaxLength(63);
    return edit;
}

void CSLenEditCtrl::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void CSLenEditCtrl::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    // Text left as shown keeps the stored value, which may hold more digits than the display.
    const QString text = static_cast<QLineEdit*>(editor)->text();
    if (text != index.data(Qt::EditRole).toString())
        model->setData(index, LenEditTypedValue(text, index.data(RoleArea).toBool()), Qt::EditRole);
}

} // namespace vellicor
