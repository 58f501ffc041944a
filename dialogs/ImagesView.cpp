#include "ImagesView.h"

#include "ControlIds.h"
#include "GuiKit.h"

CImagesView::CImagesView(QWidget* parent) : QWidget(parent)
{
    WithControlId(this, Dialog::ImagesView);
    GuiDrawLayer::ApplyFace(this);
}

void CImagesView::showTravel(const RecordKey& travelKey)
{
    if (!m_closed)
        m_travelKey = travelKey;
}
