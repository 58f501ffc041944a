#include "PictureButton.h"

#include "Bitmaps.h"

#include <QPainter>
#include <QWidget>

CPictureButton::CPictureButton(int picture, int disabledPicture, const QString& toolTip,
                               QWidget* parent)
    : QAbstractButton(parent), m_picture(LoadBitmap(picture, devicePixelRatioF())),
      m_disabledPicture(LoadBitmap(disabledPicture, devicePixelRatioF()))
{
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize CPictureButton::sizeHint() const
{
    return m_picture.isNull() ? QSize(28, 20) : m_picture.deviceIndependentSize().toSize();
}

void CPictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap& shown = isEnabled() ? m_picture : m_disabledPicture;
    const QRect face = rect();
    // Pressed, the picture sinks by a pixel.
    const QPoint sunk = isDown() ? QPoint(1, 1) : QPoint();
    painter.drawPixmap(QRect(face.topLeft() + sunk, face.size()), shown);
    if (isEnabled() && (m_hovered || isDown() || hasFocus())) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1,
                            hasFocus() ? Qt::DotLine : Qt::SolidLine));
        painter.drawRect(face.adjusted(0, 0, -1, -1));
    }
}

void CPictureButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CPictureButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
