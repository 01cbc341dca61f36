#include "ui/grid/lenedit.h"

#include "units/units.h"

namespace vellicor {

CLenEdit::CLenEdit(QWidget* parent, Kind kind) : QLineEdit(parent), kind_(kind)
{
    setMaxLength(63);
}

double CLenEdit::Value() const
{
    const std::string t = text().toStdString();
    return kind_ == Kind::Area ? ParseArea(t) : ParseLength(t);
}

void CLenEdit::SetValue(double value)
{
    setText(QString::fromStdString(kind_ == Kind::Area ? FormatArea(value) : FormatLength(value)));
}

void CLenEdit::focusOutEvent(QFocusEvent* event)
{
    SetValue(Value());
    QLineEdit::focusOutEvent(event);
}

} // namespace vellicor
