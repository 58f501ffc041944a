#include "Pictures.h"

#include "Bitmaps.h"
#include "CommandIds.h"

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

int ToolbarImageOf(int command)
{
    // The calendar export shares the calendar picture, which the month picker covers.
    if (command == Cmd::ExportToCalendar)
        return 0;
    for (int i = 0; i < int(std::size(Bitmaps::ToolbarCommands)); ++i) {
        if (Bitmaps::ToolbarCommands[i] == command)
            return i;
    }
    return -1;
}

QPixmap OwnToolbarPicture(int command)
{
    switch (command) {
    case Cmd::Find:
        return LoadBitmap(Bitmaps::FindButton, ratio());
    case Cmd::ExportToPdf:
        return LoadBitmap(Bitmaps::ExportPdfButton, ratio());
    case Cmd::ImportBooking:
        return LoadBitmap(Bitmaps::ImportBookingButton, ratio());
    default:
        return {};
    }
}

QPixmap AboutPicture()
{
    return LoadBitmap(Bitmaps::About, ratio());
}

} // namespace Pictures
