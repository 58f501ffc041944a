#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page of record files: windows-1252, where the five bytes the code
// page leaves undefined map to the C1 controls of the same number, so that every
// byte round-trips.
namespace CodePage {

QString decode(QByteArrayView bytes);
bool canEncode(QStringView text);
// Characters outside the code page become '?'; callers check canEncode first.
QByteArray encode(QStringView text);

} // namespace CodePage
