#include "ImagesView.h"

#include "GuiKit.h"

CImagesView::CImagesView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imagesView"));
    GuiDrawLayer::ApplyFace(this);
}

void CImagesView::showTravel(const RecordKey& travelKey)
{
    if (!m_closed)
        m_travelKey = travelKey;
}
