#pragma once

#include "BookingExtractor.h"

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>

class CliPages;

// What the command line takes from its surroundings; tests point it elsewhere.
struct CliContext {
    // Where the pictures are kept; the working directory's own folder when empty.
    QString imagesFolder;
    // The clock new keys are made from; the system's local clock when empty.
    std::function<QDateTime()> clock = {};
    // The per-machine folder of earlier versions that a working directory without its
    // own images folder gets its travels' pictures from (see LegacyImagesFolder); none
    // when empty.
    QString legacyImagesFolder = {};
    // Where import-booking looks for the extractor first, and how long it waits for it.
    QString installedExtractor = BookingExtractor::InstalledPath();
    int extractorTimeLimitMs = BookingExtractor::DefaultTimeLimitMs;
    // What makes the pages of print and export --format pdf; those commands fail without.
    const CliPages* pages = nullptr;
};

// Exit codes of voyanta-cli.
enum CliExit : int {
    ExitSuccess = 0,
    ExitProblemsFound = 1,    // check found bad files
    ExitNothingFound = 1,     // find matched nothing
    ExitNoBooking = 1,        // import-booking found no booking in a file
    ExitBadUsage = 2,         // bad usage or input
    ExitFailed = 3,           // a file could not be written or removed
    ExitSyncTimedOut = 4,     // sync: the time limit ran out before the folder was in sync
    ExitNoSyncEngine = 5,     // sync: no running engine shares the working directory
    ExitExtractorMissing = 5, // import-booking found no booking extractor to run
};

// Whether a command line makes pages (print, export --format pdf): those commands
// need QtGui and a QGuiApplication, the others QtCore alone.
bool CliPaintsPages(const QStringList& arguments);

// Runs one voyanta-cli command line (without the program name). Results go to out,
// messages to err, both in UTF-8. A failed write to out ends the command with
// ExitFailed; a travel it made only to print its key is removed again.
int RunCli(const QStringList& arguments, QIODevice& out, QIODevice& err, const CliContext& context);
