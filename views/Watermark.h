#pragma once

#include <QPixmap>

class QPainter;
class QRect;

// The pale picture behind a list's rows: drawn once, not tiled, at 90 % of the free
// width and height, so it sits in the lower right corner whatever the list's size.
void PaintWatermark(QPainter& painter, const QRect& area, const QPixmap& picture);
QPoint WatermarkPosition(const QRect& area, const QSize& picture);
