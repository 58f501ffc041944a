#include "GuiKit.h"

#include <QPalette>

namespace GuiDrawLayer {

QColor GetRGBColorFace(int style)
{
    // A soft blue-grey: calm behind lists and pictures, distinct from white rows.
    return style == PlannerStyle ? QColor(0xE4, 0xEA, 0xF2) : QColor(0xF0, 0xF0, 0xF0);
}

void ApplyFace(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, GetRGBColorFace());
    palette.setColor(QPalette::Button, GetRGBColorFace());
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace GuiDrawLayer

CGuiStatusBar::CGuiStatusBar(QWidget* parent) : QStatusBar(parent)
{
    GuiDrawLayer::ApplyFace(this);
}
