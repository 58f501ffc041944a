#include "Outcome.h"

#include <QDir>

QString FileError::message() const
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}
