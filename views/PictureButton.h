#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A flat button that is one picture, with a picture of its own for the disabled state: the
// picture buttons of the images view. It takes the focus from the keyboard and shows it
// with a frame.
class CPictureButton : public QAbstractButton {
    Q_OBJECT

public:
    CPictureButton(int picture, int disabledPicture, const QString& toolTip,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_picture;
    QPixmap m_disabledPicture;
    bool m_hovered = false;
};
