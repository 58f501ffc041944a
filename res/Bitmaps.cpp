#include "Bitmaps.h"

#include <QFile>
#include <QImage>

namespace {

QString ResourcePath(int bitmapNumber, bool doubleSize)
{
    return QStringLiteral(":/voyanta/bitmaps/%1%2.png")
        .arg(bitmapNumber)
        .arg(doubleSize ? QStringLiteral("@2x") : QString());
}

// The picture to load and the pixel ratio it has: the @2x copy on a high-density screen when
// there is one, the 1x picture otherwise.
QImage LoadPicture(int bitmapNumber, qreal devicePixelRatio, qreal* ratio)
{
    if (devicePixelRatio > 1.0) {
        const QString doublePath = ResourcePath(bitmapNumber, true);
        if (QFile::exists(doublePath)) {
            QImage image(doublePath);
            if (!image.isNull()) {
                *ratio = 2.0;
                return image;
            }
        }
    }
    *ratio = 1.0;
    return QImage(ResourcePath(bitmapNumber, false));
}

} // namespace

const Bitmaps::Layout* Bitmaps::FindLayout(int bitmapNumber)
{
    for (const Layout& layout : Layouts) {
        if (layout.id == bitmapNumber)
            return &layout;
    }
    return nullptr;
}

QString BitmapResourcePath(int bitmapNumber)
{
    return ResourcePath(bitmapNumber, false);
}

QPixmap LoadBitmap(int bitmapNumber, qreal devicePixelRatio)
{
    qreal ratio = 1.0;
    QPixmap pixmap = QPixmap::fromImage(LoadPicture(bitmapNumber, devicePixelRatio, &ratio));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QList<QPixmap> LoadImageStrip(int bitmapNumber, int imageWidth, qreal devicePixelRatio)
{
    if (imageWidth <= 0)
        return {};
    qreal ratio = 1.0;
    const QImage strip = LoadPicture(bitmapNumber, devicePixelRatio, &ratio);
    if (strip.isNull())
        return {};
    return CutImageStrip(strip, imageWidth, ratio);
}

QList<QPixmap> CutImageStrip(const QImage& strip, int imageWidth, qreal devicePixelRatio)
{
    const int width = qRound(imageWidth * devicePixelRatio);
    if (strip.isNull() || width <= 0)
        return {};

    QImage keyed = strip.convertToFormat(QImage::Format_ARGB32);
    if (!strip.hasAlphaChannel()) {
        for (int y = 0; y < keyed.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
            for (int x = 0; x < keyed.width(); ++x) {
                if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == qRgb(255, 255, 255))
                    line[x] = qRgba(255, 255, 255, 0);
            }
        }
    }

    QList<QPixmap> images;
    const int count = keyed.width() / width;
    images.reserve(count);
    for (int i = 0; i < count; ++i) {
        QPixmap image = QPixmap::fromImage(keyed.copy(i * width, 0, width, keyed.height()));
        image.setDevicePixelRatio(devicePixelRatio);
        images.append(image);
    }
    return images;
}

QIcon LoadApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/voyanta/icons/hicolor/%1x%1/apps/net.pellingham.Voyanta.png")
                         .arg(size),
                     QSize(size, size));
    return icon;
}
