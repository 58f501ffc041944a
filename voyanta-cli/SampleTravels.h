#pragma once

#include "Outcome.h"

#include <QDate>
#include <QString>

// The sample travels: travel documents and the pictures they link, made into a working
// directory with their dates moved so that the first travel starts in a given month.
namespace SampleTravels {

// Where the samples are: installed beside the program's data, or in the source tree of a
// build; empty when neither has them.
QString Folder();

// Makes `target` a working directory of the samples in `samples` (its "source" documents
// and "pictures"): the pictures are copied to target/Pictures, the documents imported
// with every valid date moved by the days between the first of the month the earliest
// travel starts in and the first of `month`, so that the travels fall in that month and
// the next ones. What was made is removed again when something fails.
Outcome Make(const QString& samples, const QString& target, QDate month);

} // namespace SampleTravels
