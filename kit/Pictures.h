#pragma once

#include <QList>
#include <QPixmap>

// The pictures the shell shows, by their use.
namespace Pictures {

// The tree's 123 images: 113 travel icons, then the tree's own.
QList<QPixmap> TreeImages();
// The toolbar's 21 button images, in the toolbar's order.
QList<QPixmap> ToolbarImages();
// The index of a command's image in ToolbarImages(); -1 for none.
int ToolbarImageOf(int command);
// The picture of a toolbar button that has one of its own beside the strip; null for none.
QPixmap OwnToolbarPicture(int command);
// The About box's picture.
QPixmap AboutPicture();

} // namespace Pictures
