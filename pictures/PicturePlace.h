#pragma once

#include <QString>

// The file a picture link names, on this computer. A link keeps the whole path its picture
// had where it was chosen, so in a working directory that another computer synchronises, a
// picture kept inside it has another path here. When the link's path names no file, the
// longest end of it that names a file under the working directory is taken, never an end
// that climbs out of it; else the path as the link has it.
QString PictureFileHere(const QString& linkPath, const QString& workingDirectory);
