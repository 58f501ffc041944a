#include "CQVImage.h"

#include "PictureFit.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

bool turnedOnItsSide(const QImageReader& reader)
{
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// The picture's size as it is shown; invalid when the header does not tell it.
QSize shownSize(QImageReader& reader)
{
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return {};
    return turnedOnItsSide(reader) ? stored.transposed() : stored;
}

QImage forDrawing(QImage image)
{
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

CQVImage::CQVImage(QString path) : m_path(std::move(path))
{
    if (!MayOpen(m_path))
        return;
    QImageReader reader(m_path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return;
    m_size = shownSize(reader);
    if (!m_size.isValid()) {
        // A format whose header does not give the size: the size of the picture read.
        const QImage image = reader.read();
        m_size = image.size();
    }
    m_valid = !m_size.isEmpty();
}

bool CQVImage::MayOpen(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (path.startsWith(QLatin1String(":/")))
        return info.exists();
    return info.isFile() && info.size() <= MaxFileBytes;
}

CQVImage::Reading CQVImage::Read(const QString& path, QSize bound)
{
    Reading reading;
    if (!MayOpen(path) || bound.isEmpty())
        return reading;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = shownSize(reader);
    if (full.isValid() && TooLarge(full)) {
        reading.fullSize = full;
        reading.tooLarge = true;
        return reading;
    }
    if (full.isValid()) {
        const QSize fitted = FitPicture(full, QRect(QPoint(), bound)).size();
        // The reader scales the picture as stored, before it turns it the right way up.
        if (fitted != full)
            reader.setScaledSize(turnedOnItsSide(reader) ? fitted.transposed() : fitted);
        QImage image = reader.read();
        if (image.isNull())
            return reading;
        reading.image = forDrawing(std::move(image));
        reading.fullSize = full;
        return reading;
    }
    QImage image = reader.read();
    if (image.isNull())
        return reading;
    reading.fullSize = image.size();
    const QSize fitted = FitPicture(image.size(), QRect(QPoint(), bound)).size();
    if (fitted != image.size())
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    reading.image = forDrawing(std::move(image));
    return reading;
}
