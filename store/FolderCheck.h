#pragma once

#include "DataFolder.h"
#include "TravelDataStore.h"

#include <QList>

// Reads every record file of the data folder and every picture-category file of the
// images folder, changing nothing, and lists what is wrong: files that cannot be read
// or are cut short, unsafe keys, bytes after the last field, keys held by two files,
// files named after another key, entries that are not plain files, and files that
// belong to a travel or stage the data folder does not hold.
QList<LoadProblem> CheckDataFolder(const DataFolder& folder, const QString& imagesFolder);
