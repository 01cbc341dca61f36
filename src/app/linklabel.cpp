#include "app/linklabel.h"

#include "app/weblinks.h"

#include <QMouseEvent>

namespace vellicor {

CLinkLabel::CLinkLabel(const QString& text, const QString& target, IShell& shell, IUserMessages& messages,
                       QWidget* parent)
    : QLabel(text.isEmpty() ? target : text, parent), target_(target.isEmpty() ? text : target), shell_(shell),
      messages_(messages)
{
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setToolTip(target_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    UpdateColour();
}

QColor CLinkLabel::TextColour() const
{
    if (hover_)
        return palette().color(QPalette::Highlight);
    return QColor(visited_ ? kVisitedColour : kLinkColour);
}

void CLinkLabel::UpdateColour()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, TextColour());
    setPalette(p);
}

bool CLinkLabel::Open()
{
    if (!OpenWebAddress(target_.toStdString(), shell_, messages_))
        return false;
    visited_ = true;
    UpdateColour();
    return true;
}

void CLinkLabel::enterEvent(QEnterEvent* event)
{
    hover_ = true;
    UpdateColour();
    QLabel::enterEvent(event);
}

void CLinkLabel::leaveEvent(QEvent* event)
{
    hover_ = false;
    UpdateColour();
    QLabel::leaveEvent(event);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Open();
    QLabel::mouseReleaseEvent(event);
}

} // namespace vellicor
