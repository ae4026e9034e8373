#include "ui/outline_effect.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ui {

OutlineEffect::OutlineEffect(const QColor& colour, QObject* parent) : QGraphicsEffect(parent), colour_(colour) {}

QRectF OutlineEffect::boundingRectFor(const QRectF& rect) const { return rect.adjusted(-1, -1, 1, 1); }

void OutlineEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull())
        return;
    // The drawing's own shape in the outline colour, laid under it one pixel out in every direction.
    QPixmap outline(source.size());
    outline.setDevicePixelRatio(source.devicePixelRatio());
    outline.fill(Qt::transparent);
    {
        QPainter tint(&outline);
        tint.drawPixmap(0, 0, source);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(outline.rect(), colour_);
    }
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx != 0 || dy != 0)
                painter->drawPixmap(offset + QPoint(dx, dy), outline);
    painter->drawPixmap(offset, source);
}

void outlineText(QWidget* control, const QColor& colour) { control->setGraphicsEffect(new OutlineEffect(colour, control)); }

}  // namespace ui
