#include "PictureFit.h"

#include <cmath>

QRect FitPicture(QSize picture, const QRect& area)
{
    const int w = picture.width();
    const int h = picture.height();
    const int areaWidth = area.width();
    const int areaHeight = area.height();
    if (w <= 0 || h <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return {};
    if (w <= areaWidth && h <= areaHeight)
        return {area.left() + (areaWidth - w) / 2, area.top() + (areaHeight - h) / 2, w, h};
    // The ratios in single precision and the margins truncated, so that a picture lands on the
    // same pixels in the rows, the preview and the printed page alike.
    const float rx = float(areaWidth) / float(w);
    const float ry = float(areaHeight) / float(h);
    if (rx >= ry) {
        const int margin = int(std::fabs(float(areaWidth) - ry * float(w)) * 0.5f);
        return {area.left() + margin, area.top(), areaWidth - 2 * margin, areaHeight};
    }
    const int margin = int(std::fabs(float(areaHeight) - float(h) * rx) * 0.5f);
    return {area.left(), area.top() + margin, areaWidth, areaHeight - 2 * margin};
}
