#pragma once

#include <QCoreApplication>
#include <QString>

// Picture-category files live in each working directory's own images folder (see
// DataFolder::imagesFolderPath). Earlier versions kept those of every working directory
// in one folder per machine; working directories get theirs from there (see
// TravelDataStore::CopyLegacyPictures).

// Whether a folder belongs to the system (/usr, /opt, ... or the Windows program
// folders): a program installed there never keeps pictures beside itself.
bool IsSystemFolder(const QString& folder);

// The per-machine folder of earlier versions: "Travel Images" beside the program when
// that folder is there and the program's folder may be written and is no system
// folder, else "Travel Images" in the per-user application data folder. Only read.
QString LegacyImagesFolder(const QString& programFolder = QCoreApplication::applicationDirPath());
