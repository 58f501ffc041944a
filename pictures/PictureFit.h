#pragma once

#include <QRect>
#include <QSize>

// Where a picture of the given size is drawn inside an area: a picture that fits keeps its
// size and is centred; a larger one is scaled to fill the area's width or height, whichever
// limits it first, keeping its proportions, and centred along the other side. An empty
// picture or area gives an empty rectangle.
QRect FitPicture(QSize picture, const QRect& area);
