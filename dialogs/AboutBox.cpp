#include "AboutBox.h"

#include "ControlIds.h"
#include "Pictures.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent)
{
    WithControlId(this, Dialog::AboutBox);
    setWindowTitle(QStringLiteral("About Voyanta"));
    auto* picture = new QLabel(this);
    WithControlId(picture, Control::AboutPicture);
    const QPixmap pixmap = Pictures::AboutPicture();
    if (pixmap.isNull()) {
        picture->setText(QStringLiteral("<h2>Voyanta</h2><p>A travel planner.</p>"));
        picture->setMinimumSize(499, 314);
        picture->setAlignment(Qt::AlignCenter);
    } else {
        picture->setPixmap(pixmap);
    }
    picture->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
