#include "SyncHandOff.h"

#include <QSettings>

namespace SyncHandOff {

QString ManagerPath()
{
#ifdef Q_OS_WIN
    const QSettings registry(
        QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
                       "Paths\\WCESMGR.EXE"),
        QSettings::NativeFormat);
    return registry.value(QStringLiteral("Default")).toString();
#else
    const QSettings profile(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
    return profile.value(QStringLiteral("App Paths/WCESMGR.EXE")).toString();
#endif
}

} // namespace SyncHandOff
