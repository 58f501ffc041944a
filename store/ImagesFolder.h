#pragma once

#include <QString>

// The "Travel Images" folder: beside the program when that folder is writable (portable
// installs, the build tree), else in the per-user application data folder.
QString DefaultImagesFolder();
