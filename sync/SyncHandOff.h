#pragma once

#include <QString>
#include <QStringList>

// The hand-off to a device or folder sync program: where it is configured, and the
// command line it is started with.
namespace SyncHandOff {

// The sync program's path, or empty when none is configured. On Windows the
// machine's application path of WCESMGR.EXE; elsewhere the program's own profile,
// group "App Paths", key "WCESMGR.EXE".
QString ManagerPath();

inline QStringList ManagerArguments()
{
    return {QStringLiteral("/show"), QStringLiteral("/syncnow")};
}

} // namespace SyncHandOff
