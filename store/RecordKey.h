#pragma once

#include <QDateTime>
#include <QString>

// A record's name: the local time stamp of its creation plus a two-digit counter,
// "%04d%02d%02d%02d%02d%02d%02d". A stage's key is its travel's key followed by one.
using RecordKey = QString;

// Counter 0 stands for 10; a counter of 100 or more gives a longer key.
RecordKey MakeRecordKey(int counter, const QDateTime& now);

// Keys read from files become parts of file names. A key is safe when the names built
// from it stay inside the data folder: not empty, no path separator, no drive colon,
// no "..", no control character.
bool IsSafeKey(const QString& key);

// How a record or a request with an unsafe key is reported.
QString UnsafeKeyCause(const QString& key);
