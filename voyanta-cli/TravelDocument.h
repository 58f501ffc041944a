#pragma once

#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <QJsonObject>

// One travel with everything it owns as one JSON document: the travel's fields,
// "stages" by date (each with its "appointments" in file order), "checklist",
// "expenses", "pictures" (the picture categories, each with its "links") and the two
// tree captions.
QJsonObject TravelDocument(const WholeTravel& travel, const DisplayFormats& formats);

struct ImportResult {
    QString key;      // the new travel's key, once it is added
    QString badInput; // what is wrong with the document, when it is
    Outcome outcome;  // whether the files could be written
};

// Adds the travel of a document as above under a new key, with new keys for its
// stages; keys in the document are ignored. The document is checked whole before
// anything is written.
ImportResult ImportTravelDocument(TravelDataStore& store, const QJsonObject& document);
