#include "Watermark.h"

#include <QPainter>
#include <QRect>

QPoint WatermarkPosition(const QRect& area, const QSize& picture)
{
    return {area.left() + (area.width() - picture.width()) * 9 / 10,
            area.top() + (area.height() - picture.height()) * 9 / 10};
}

void PaintWatermark(QPainter& painter, const QRect& area, const QPixmap& picture)
{
    if (picture.isNull())
        return;
    const QSize size = picture.deviceIndependentSize().toSize();
    painter.drawPixmap(WatermarkPosition(area, size), picture);
}
