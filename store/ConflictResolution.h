#pragma once

#include "ConflictCopies.h"
#include "Outcome.h"

// Settles a record file and a conflict copy of it. The versions not kept are moved into
// the folder "Conflicts" of the working directory (under a free name: nothing there is
// overwritten) and are never deleted.
enum class KeepVersion {
    Record, // the record file as it is
    Copy,   // the copy takes the record file's place
    Merge,  // check lists and expenses: every entry of both, ticks from the later version
};

// The folder the versions not kept go to.
QString ConflictsFolder(const QString& workingDirectory);

Outcome ResolveConflict(const ConflictCopy& copy, KeepVersion keep,
                        const QString& workingDirectory);
