#include "ui/drawing/layoutdrawing.h"

#include "model/coil.h"
#include "model/coilpart.h"
#include "platform/stringids.h"
#include "ui/uitext.h"
#include "units/units.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace vellicor {
namespace {

using Kind = DraftSegment::Kind;

constexpr int kMargin = 6;
constexpr int kPadding = 3;
constexpr double kMinKerfPixels = 1.0;

// Fixed light fills with dark text, so that the drawing reads the same in any palette.
struct Look {
    QColor fill;
    QColor border;
    Qt::BrushStyle pattern;
    QColor patternColour;
};

const QColor kText(0x20, 0x20, 0x20);

Look LookOf(const DraftSegment& s)
{
    switch (s.kind) {
    case Kind::LeftTrim:
    case Kind::RightTrim:
        return {QColor(0xdd, 0xdd, 0xdd), QColor(0x8c, 0x8c, 0x8c), Qt::BDiagPattern, QColor(0xa8, 0xa8, 0xa8)};
    case Kind::Slit:
        if (s.part && s.part->Kind == KindFiller)
            return {QColor(0xfb, 0xef, 0xc4), QColor(0xb0, 0x8f, 0x2e), Qt::Dense6Pattern, QColor(0xd9, 0xbc, 0x6a)};
        if (s.part && s.part->Kind == KindSlit)
            return {QColor(0xd5, 0xeb, 0xd0), QColor(0x5d, 0x8f, 0x52), Qt::NoBrush, QColor()};
        return {QColor(0xcf, 0xe0, 0xf3), QColor(0x4f, 0x76, 0xa3),
                s.rotated ? Qt::FDiagPattern : Qt::NoBrush, QColor(0xa6, 0xc1, 0xe0)};
    case Kind::Kerf:
        return {QColor(0x40, 0x40, 0x40), QColor(0x40, 0x40, 0x40), Qt::NoBrush, QColor()};
    case Kind::Offcut:
        return {QColor(0xe6, 0xf7, 0xf7), QColor(0x2f, 0x8f, 0x8f), Qt::NoBrush, QColor()};
    case Kind::Scrap:
        return {QColor(0xf6, 0xd5, 0xd5), QColor(0xb0, 0x4a, 0x4a), Qt::CrossPattern, QColor(0xe4, 0xb0, 0xb0)};
    case Kind::Overflow:
        return {QColor(0xd0, 0x20, 0x20, 0x48), QColor(0xc0, 0x10, 0x10), Qt::NoBrush, QColor()};
    }
    return {};
}

QString Length(double mm)
{
    return QString::fromStdString(FormatLength(mm));
}

QString SlitName(const DraftSegment& s)
{
    const QString name = QString::fromStdString(s.part->Name).trimmed();
    return s.rotated ? name + '*' : name;
}

int KindTextId(const CCoilPart& part)
{
    if (part.Kind == KindFiller)
        return ids::LayoutFiller;
    return part.Kind == KindSlit ? ids::LayoutSlit : ids::LayoutPart;
}

QString Title(const DraftSegment& s)
{
    switch (s.kind) {
    case Kind::LeftTrim:
        return UiText(ids::LayoutLeftTrim);
    case Kind::RightTrim:
        return UiText(ids::LayoutRightTrim);
    case Kind::Kerf:
        return UiText(ids::LayoutKerf);
    case Kind::Offcut:
        return UiText(ids::LayoutOffcut);
    case Kind::Scrap:
        return UiText(ids::LayoutScrap);
    case Kind::Overflow:
        return UiText(ids::LayoutOverflow);
    case Kind::Slit:
        break;
    }
    const QString name = QString::fromStdString(s.part->Name).trimmed();
    return s.rotated ? QString::fromStdString(Strings().Format(ids::LayoutRotated, {name.toStdString()})) : name;
}

QString ToolTipOf(const DraftSegment& s)
{
    QString text = Title(s) + '\n'
                   + QString::fromStdString(Strings().Format(ids::LayoutWidth, {FormatLength(s.Width())}));
    if (s.kind == Kind::Slit)
        text += '\n' + UiText(KindTextId(*s.part));
    return text;
}

// Items, trims and the rest, then kerfs over them, then what runs past the coil.
int Layer(Kind kind)
{
    if (kind == Kind::Kerf)
        return 1;
    return kind == Kind::Overflow ? 2 : 0;
}

// A kerf is often narrower than a pixel; it is drawn, and can be pointed at, at least one pixel wide.
QRectF Widened(QRectF r)
{
    if (r.width() < kMinKerfPixels)
        r.adjust(-(kMinKerfPixels - r.width()) / 2, 0, (kMinKerfPixels - r.width()) / 2, 0);
    return r;
}

} // namespace

CLayoutDrawing::CLayoutDrawing(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void CLayoutDrawing::SetDraft(const LayoutDraft& draft, double minOffCut)
{
    segments_ = DraftSegments(draft, minOffCut);
    coilWidth_ = segments_.empty() ? 0.0 : draft.Coil->Width;
    extent_ = coilWidth_;
    for (const auto& s : segments_)
        extent_ = std::max(extent_, s.to);
    update();
}

void CLayoutDrawing::Clear()
{
    segments_.clear();
    coilWidth_ = 0.0;
    extent_ = 0.0;
    update();
}

int CLayoutDrawing::DimensionHeight() const
{
    return fontMetrics().height() + 6;
}

QRectF CLayoutDrawing::Band() const
{
    return QRectF(kMargin, kMargin, std::max(width() - 2 * kMargin, 1),
                  std::max(height() - 2 * kMargin - DimensionHeight(), 1));
}

QRectF CLayoutDrawing::SegmentRect(const DraftSegment& segment) const
{
    const QRectF band = Band();
    const double scale = extent_ > 0 ? band.width() / extent_ : 0.0;
    return QRectF(band.left() + segment.from * scale, band.top(), segment.Width() * scale, band.height());
}

// Kerfs lie on top of the items, and what runs past the coil is named only where nothing else is.
const DraftSegment* CLayoutDrawing::SegmentAt(QPointF pos) const
{
    for (const auto& s : segments_)
        if (s.kind == Kind::Kerf && Widened(SegmentRect(s)).contains(pos))
            return &s;
    for (const auto& s : segments_)
        if (s.kind != Kind::Kerf && s.kind != Kind::Overflow && SegmentRect(s).contains(pos))
            return &s;
    for (const auto& s : segments_)
        if (s.kind == Kind::Overflow && SegmentRect(s).contains(pos))
            return &s;
    return nullptr;
}

QString CLayoutDrawing::ToolTipAt(QPointF pos) const
{
    const DraftSegment* s = SegmentAt(pos);
    return s ? ToolTipOf(*s) : QString();
}

QSize CLayoutDrawing::sizeHint() const
{
    return QSize(480, 2 * kMargin + 2 * fontMetrics().height() + 4 * kPadding + DimensionHeight());
}

QSize CLayoutDrawing::minimumSizeHint() const
{
    return QSize(160, 2 * kMargin + fontMetrics().height() + 2 * kPadding + DimensionHeight());
}

bool CLayoutDrawing::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const DraftSegment* s = SegmentAt(help->pos());
    if (s) {
        QToolTip::showText(help->globalPos(), ToolTipOf(*s), this, Widened(SegmentRect(*s)).toAlignedRect());
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void CLayoutDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF band = Band();
    if (segments_.empty()) {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        painter.drawRect(band.adjusted(0.5, 0.5, -0.5, -0.5));
        return;
    }
    for (int layer = 0; layer < 3; ++layer)
        for (const auto& s : segments_)
            if (Layer(s.kind) == layer)
                DrawPiece(painter, s);
    for (const auto& s : segments_)
        DrawLabel(painter, s);

    const QRectF coil = SegmentRect({Kind::Slit, 0.0, coilWidth_});
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(coil.adjusted(0.5, 0.5, -0.5, -0.5));
    DrawDimension(painter);
}

void CLayoutDrawing::DrawPiece(QPainter& painter, const DraftSegment& s) const
{
    const Look look = LookOf(s);
    const QRectF r = s.kind == Kind::Kerf ? Widened(SegmentRect(s)) : SegmentRect(s);
    painter.fillRect(r, look.fill);
    if (look.pattern != Qt::NoBrush)
        painter.fillRect(r, QBrush(look.patternColour, look.pattern));
    if (s.kind == Kind::Kerf)
        return;
    const int pen = s.kind == Kind::Overflow ? 2 : 1;
    painter.setPen(QPen(look.border, pen, s.kind == Kind::Offcut ? Qt::DashLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(pen / 2.0, pen / 2.0, -pen / 2.0, -pen / 2.0));
}

// The name over the width, or both on one line when only one fits. Names are elided; a width that
// does not fit whole is left to the tooltip.
void CLayoutDrawing::DrawLabel(QPainter& painter, const DraftSegment& s) const
{
    if (s.kind == Kind::Kerf || s.kind == Kind::Overflow)
        return;
    const QRectF inner = SegmentRect(s).adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const QFontMetricsF widthMetrics(font());
    const double lineHeight = widthMetrics.height();
    const int fitting = inner.width() > 0 ? static_cast<int>(inner.height() / lineHeight) : 0;
    if (fitting < 1)
        return;
    QFont nameFont = font();
    nameFont.setBold(s.kind == Kind::Slit);
    const QFontMetricsF nameMetrics(nameFont);

    const bool named = s.kind == Kind::Slit || s.kind == Kind::Offcut || s.kind == Kind::Scrap;
    const QString name = !named ? QString() : s.kind == Kind::Slit ? SlitName(s) : Title(s);
    const QString widthText = Length(s.Width());
    const bool widthFits = widthMetrics.horizontalAdvance(widthText) <= inner.width();
    struct Line {
        QString text;
        const QFont* font;
    };
    std::vector<Line> lines;
    const QString both = name + "  " + widthText;
    if (!named) {
        if (widthFits)
            lines.push_back({widthText, &font()});
    } else if (fitting == 1 && nameMetrics.horizontalAdvance(both) <= inner.width()) {
        lines.push_back({both, &nameFont});
    } else {
        const QString elided = nameMetrics.elidedText(name, Qt::ElideRight, inner.width());
        if (!elided.isEmpty() && elided != QStringLiteral("\u2026"))
            lines.push_back({elided, &nameFont});
        if (widthFits && static_cast<int>(lines.size()) < fitting)
            lines.push_back({widthText, &font()});
    }

    double y = inner.center().y() - lineHeight * static_cast<double>(lines.size()) / 2;
    painter.setPen(kText);
    for (const auto& line : lines) {
        painter.setFont(*line.font);
        painter.drawText(QRectF(inner.left(), y, inner.width(), lineHeight), Qt::AlignCenter, line.text);
        y += lineHeight;
    }
    painter.setFont(font());
}

// The coil's full width under the band, with end marks.
void CLayoutDrawing::DrawDimension(QPainter& painter) const
{
    const QRectF coil = SegmentRect({Kind::Slit, 0.0, coilWidth_});
    const double top = coil.bottom() + 3;
    const double y = top + (DimensionHeight() - 3) / 2.0;
    const QString text = Length(coilWidth_);
    const double textWidth = fontMetrics().horizontalAdvance(text) + 8;

    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(QPointF(coil.left() + 0.5, top), QPointF(coil.left() + 0.5, y + 3));
    painter.drawLine(QPointF(coil.right() - 0.5, top), QPointF(coil.right() - 0.5, y + 3));
    const double gapLeft = coil.center().x() - textWidth / 2;
    const double gapRight = coil.center().x() + textWidth / 2;
    if (gapLeft > coil.left() + 4) {
        painter.drawLine(QPointF(coil.left(), y), QPointF(gapLeft, y));
        painter.drawLine(QPointF(gapRight, y), QPointF(coil.right(), y));
    }
    painter.drawText(QRectF(coil.left(), top, coil.width(), DimensionHeight() - 3), Qt::AlignCenter, text);
}

} // namespace vellicor
