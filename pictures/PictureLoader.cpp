#include "PictureLoader.h"

#include "PictureFit.h"
#include "PicturePlace.h"

#include <QCoreApplication>

PictureLoader::PictureLoader(int threads, qint64 cacheBytes, QObject* parent)
    : QObject(parent), m_cache(cacheBytes)
{
    m_pool.setMaxThreadCount(qMax(1, threads));
}

PictureLoader::~PictureLoader()
{
    // No read may deliver to a loader that is gone.
    m_pool.clear();
    m_pool.waitForDone();
}

bool PictureLoader::largeEnough(const Entry& entry, QSize bound)
{
    if (entry.failed)
        return true;
    if (entry.bound.width() >= bound.width() && entry.bound.height() >= bound.height())
        return true;
    if (entry.image.size() == entry.fullSize)
        return true;
    // A pixel short is as good: no read again for every pixel a window grows.
    const QSize needed = FitPicture(entry.fullSize, QRect(QPoint(), bound)).size();
    return entry.image.width() >= needed.width() - 1 && entry.image.height() >= needed.height() - 1;
}

PictureLoader::Picture PictureLoader::picture(const QString& path, QSize bound)
{
    if (path.isEmpty() || bound.isEmpty())
        return {};
    const Entry* entry = m_cache.object(path);
    if (!entry || !largeEnough(*entry, bound)) {
        if (!m_reading.contains(path))
            startRead(path, bound);
    }
    if (!entry)
        return {};
    return {entry->image, entry->fullSize, entry->failed, entry->tooLarge};
}

void PictureLoader::forget(const QString& path)
{
    m_cache.remove(path);
}

void PictureLoader::cancelPending()
{
    m_pool.clear();
    // Reads already running still deliver; the ones dropped are started again when asked.
    m_reading.clear();
    const QList<QString> paths = m_cache.keys();
    for (const QString& path : paths) {
        if (const Entry* entry = m_cache.object(path); entry && entry->failed)
            m_cache.remove(path);
    }
}

void PictureLoader::waitForDone()
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void PictureLoader::startRead(const QString& path, QSize bound)
{
    m_reading.insert(path, bound);
    ++m_reads;
    m_pool.start(
        [this, path, bound, folder = m_workingDirectory] {
            // Pictures stay known by their links' paths, wherever they are read from.
            CQVImage::Reading reading = CQVImage::Read(PictureFileHere(path, folder), bound);
            QMetaObject::invokeMethod(
                this, [this, path, bound, reading] { deliver(path, bound, reading); },
                Qt::QueuedConnection);
        },
        ++m_priority);
}

void PictureLoader::deliver(const QString& path, QSize bound, const CQVImage::Reading& reading)
{
    if (m_reading.value(path) == bound)
        m_reading.remove(path);
    // A read for a smaller size that ends late does not replace a larger one.
    if (const Entry* kept = m_cache.object(path);
        kept && !kept->failed && !reading.image.isNull() && largeEnough(*kept, bound))
        return;
    auto* entry =
        new Entry{reading.image, reading.fullSize, bound, reading.image.isNull(), reading.tooLarge};
    const qsizetype cost = qMax<qsizetype>(1, entry->image.sizeInBytes());
    m_cache.insert(path, entry, cost);
    emit pictureReady(path);
}
