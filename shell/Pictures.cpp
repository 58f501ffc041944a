#include "Pictures.h"

#include "Bitmaps.h"

#include <QGuiApplication>

namespace Pictures {

namespace {

qreal ratio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

QList<QPixmap> TreeImages()
{
    return LoadImageStrip(Bitmaps::TreeImages, 16, ratio());
}

QList<QPixmap> ToolbarImages()
{
    return LoadImageStrip(Bitmaps::Toolbar, 16, ratio());
}

QPixmap AboutPicture()
{
    return LoadBitmap(Bitmaps::About, ratio());
}

} // namespace Pictures
