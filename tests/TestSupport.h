#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

// Bytes written by hand: "10 32 30" or "10323030"; blanks are ignored.
inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A clock that stands still until a test moves it; its pause moves it one second on.
struct FakeClock {
    QDateTime now = QDateTime(QDate(2006, 3, 5), QTime(9, 1, 21));
    int pauses = 0;

    QDateTime read() const { return now; }
    void pause()
    {
        ++pauses;
        now = now.addSecs(1);
    }
};

// Every file under a folder with a hash of its bytes, to show that nothing changed.
inline QMap<QString, QByteArray> folderFingerprint(const QString& folder)
{
    QMap<QString, QByteArray> fingerprint;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        fingerprint.insert(QDir(folder).relativeFilePath(path),
                           QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256));
    }
    return fingerprint;
}
