#pragma once

#include "ui/drawing/layoutdraft.h"

#include <QWidget>

#include <vector>

namespace vellicor {

// One layout drawn to scale across its coil: trims, each item with its width and name (a turned
// part marked "*"), kerfs, and the rest as offcut or scrap. Every piece has a tooltip.
class CLayoutDrawing : public QWidget {
    Q_OBJECT
public:
    explicit CLayoutDrawing(QWidget* parent = nullptr);

    // The rest is an offcut when it is at least `minOffCut` wide.
    void SetDraft(const LayoutDraft& draft, double minOffCut);
    void Clear();

    const std::vector<DraftSegment>& Segments() const { return segments_; }
    // The band the coil is drawn in at the current size, and a piece's place in it.
    QRectF Band() const;
    QRectF SegmentRect(const DraftSegment& segment) const;
    // The tooltip at a point; empty where there is no piece.
    QString ToolTipAt(QPointF pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const DraftSegment* SegmentAt(QPointF pos) const;
    void DrawPiece(QPainter& painter, const DraftSegment& segment) const;
    void DrawLabel(QPainter& painter, const DraftSegment& segment) const;
    void DrawDimension(QPainter& painter) const;
    int DimensionHeight() const;

    std::vector<DraftSegment> segments_;
    double coilWidth_ = 0.0;
    double extent_ = 0.0;  // what the band spans: the coil, or more when items run past it
};

} // namespace vellicor
