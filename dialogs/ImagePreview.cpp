#include "ImagePreview.h"

#include "CommandIds.h"
#include "PictureFit.h"
#include "StringTable.h"

#include <QPainter>

namespace {

// One picture at a time, a few kept for going back and forth between them.
constexpr qint64 PreviewCacheBytes = qint64(48) * 1024 * 1024;
constexpr int TextMargin = 10;

} // namespace

CImagePreview::CImagePreview(EmptyText emptyText, QWidget* parent)
    : QWidget(parent), m_emptyText(emptyText), m_loader(1, PreviewCacheBytes)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    connect(&m_loader, &PictureLoader::pictureReady, this, [this](const QString& path) {
        if (m_picture && m_picture->path() == path)
            update();
    });
}

void CImagePreview::setPicture(const QString& path)
{
    // A read still waiting for the picture left behind is not needed any more.
    m_loader.cancelPending();
    m_picture.reset();
    if (!path.isEmpty()) {
        auto picture = std::make_unique<CQVImage>(path);
        if (picture->IsValid())
            m_picture = std::move(picture);
    }
    setAccessibleDescription(m_picture ? path : helpText());
    update();
}

void CImagePreview::clear()
{
    setPicture(QString());
}

QString CImagePreview::TooLargeText(QSize size)
{
    return QStringLiteral("This picture is too large to preview (%1 \u00d7 %2 pixels).")
        .arg(size.width())
        .arg(size.height());
}

QString CImagePreview::helpText() const
{
    return ResourceText(m_emptyText == EmptyText::ImagesView ? Str::ImagesViewHelp
                                                             : Str::SelectImageHelp);
}

QRect CImagePreview::pictureRect() const
{
    return m_picture ? FitPicture(m_picture->size(), rect()) : QRect();
}

QSize CImagePreview::readSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

bool CImagePreview::showsHelpText()
{
    return !m_picture || m_loader.picture(m_picture->path(), readSize()).failed;
}

void CImagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_picture) {
        const PictureLoader::Picture shown = m_loader.picture(m_picture->path(), readSize());
        if (shown.tooLarge) {
            painter.setPen(Qt::black);
            painter.drawText(rect().adjusted(TextMargin, TextMargin, -TextMargin, 0),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                             TooLargeText(shown.fullSize));
            return;
        }
        if (!shown.failed) {
            if (!shown.image.isNull()) {
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(pictureRect(), shown.image);
            }
            return;
        }
    }
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(TextMargin, TextMargin, -TextMargin, 0),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, helpText());
}
