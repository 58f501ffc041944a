#pragma once

#include <QIcon>

// A travel's icon by its number, at 16 and at 32 pixels, so that a view takes the size
// it shows. An unknown number gives an empty icon.
QIcon TravelIcon(int iconNumber);
