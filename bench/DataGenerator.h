#pragma once

#include <QString>

// Makes a realistic data folder for measurements: travels spread over several years,
// each with four stages (every stage with an appointment file), a check list and an
// expense list, texts of everyday length. The same seed gives the same folder.
struct GeneratedFolder {
    int travels = 0;
    int stages = 0;
    qint64 files = 0;
    qint64 bytes = 0;
};

GeneratedFolder GenerateDataFolder(const QString& workingDirectory, int travelCount,
                                   quint32 seed = 2006);

class TravelDataStore;

// Adds travels that all start in May 2031 through the store's own AddTravel (on a clock
// of their own, one second per key), at random days and hours; with someInvalid about
// one in fifty gets a start whose status is not valid.
void AddTravelsInOneMonth(TravelDataStore& store, int count, bool someInvalid, quint32 seed = 7);
