#include "Pictures.h"

namespace Pictures {

QList<QPixmap> TreeImages()
{
    return {};
}

QList<QPixmap> ToolbarImages()
{
    return {};
}

QPixmap AboutPicture()
{
    return {};
}

} // namespace Pictures
