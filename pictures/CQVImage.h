#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture file: whether it can be read and its size, the right way up, learnt from the
// file's header without decoding the picture. Read() decodes a picture at the size it is
// drawn, and is safe to call from any thread.
//
// Paths come from category files that other programs and devices also write, so a path is
// only opened when it names a regular file of a sane size (or one of the program's own
// pictures, ":/..."): a FIFO, a device or a folder is never opened.
class CQVImage {
public:
    // Larger files are not opened.
    static constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
    // Pictures of more pixels are not decoded: a small file can hold a picture whose
    // decoding takes gigabytes and half a minute.
    static constexpr qint64 MaxPixels = qint64(100) * 1000 * 1000;

    explicit CQVImage(QString path);
    virtual ~CQVImage() = default;

    bool IsValid() const { return m_valid; }
    QSize size() const { return m_size; }
    const QString& path() const { return m_path; }

    // Whether the path may be opened at all.
    static bool MayOpen(const QString& path);

    struct Reading {
        QImage image;          // null when the picture could not be read
        QSize fullSize;        // the picture's own size, the right way up
        bool tooLarge = false; // not decoded: more than MaxPixels
    };
    static bool TooLarge(QSize size) { return qint64(size.width()) * size.height() > MaxPixels; }
    // The picture scaled to fit into `bound` as FitPicture() fits it (a smaller picture keeps
    // its size), the right way up. JPEG pictures are decoded at a reduced scale directly.
    // A picture larger than MaxPixels, by its header, is not decoded at all.
    static Reading Read(const QString& path, QSize bound);

private:
    QString m_path;
    QSize m_size;
    bool m_valid = false;
};
