#pragma once

#include "CQVImage.h"

#include <QCache>
#include <QHash>
#include <QObject>
#include <QThreadPool>

// Reads pictures at the size they are drawn, on threads of its own, and keeps what it read,
// so that a window never waits for a picture file and never decodes one twice. A caller asks
// for a picture each time it draws it; the first ask starts the read and pictureReady()
// tells when to draw again.
class PictureLoader : public QObject {
    Q_OBJECT

public:
    struct Picture {
        QImage image;          // the best read so far; null while none has arrived
        QSize fullSize;        // the picture's own size, once known
        bool failed = false;   // no picture to draw: unreadable, or too large
        bool tooLarge = false; // too large to decode; fullSize tells how large
    };

    // At most `threads` reads run at once; the pictures kept take at most about cacheBytes.
    PictureLoader(int threads, qint64 cacheBytes, QObject* parent = nullptr);
    ~PictureLoader() override;

    // What is known of the picture for drawing it fitted into `bound`. Starts a read when
    // nothing read so far is large enough for that. The latest asks are read first.
    Picture picture(const QString& path, QSize bound);
    // The file may have changed: the next ask reads it again.
    void forget(const QString& path);
    // Drops the reads that have not started, and tries pictures that failed once again at
    // their next ask: for a new set of pictures.
    void cancelPending();
    // Finishes every read and delivers it (tests and measurements).
    void waitForDone();
    // Where a picture that is not at its link's path is looked for (PictureFileHere).
    void setWorkingDirectory(const QString& folder) { m_workingDirectory = folder; }
    // How many reads were started.
    int readCount() const { return m_reads; }

signals:
    void pictureReady(const QString& path);

private:
    struct Entry {
        QImage image;
        QSize fullSize;
        QSize bound; // what it was read for
        bool failed = false;
        bool tooLarge = false;
    };

    static bool largeEnough(const Entry& entry, QSize bound);
    void startRead(const QString& path, QSize bound);
    void deliver(const QString& path, QSize bound, const CQVImage::Reading& reading);

    QCache<QString, Entry> m_cache;
    QHash<QString, QSize> m_reading;
    int m_reads = 0;
    int m_priority = 0;
    QThreadPool m_pool;
    QString m_workingDirectory;
};
