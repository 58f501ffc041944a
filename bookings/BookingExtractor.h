#pragma once

#include "Booking.h"

#include <QDateTime>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// The program that reads bookings out of confirmation e-mails, PDFs, web pages, passes
// and boarding-pass barcodes, printing them as schema.org JSON-LD. It is run as a
// program of its own, never linked.
namespace BookingExtractor {

// Where its Debian package puts it (not on PATH).
QString InstalledPath();
// The Debian package to install when it is missing.
inline constexpr char PackageName[] = "libkpimitinerary-bin";
// Files larger than this are not handed to it.
constexpr qint64 MaxFileSize = qint64(64) * 1024 * 1024;
constexpr int DefaultTimeLimitMs = 20000;

// Where to look for the program, in order: the path given (which wins when given), the
// installed path, the path kept in the profile, then PATH.
struct Search {
    QString given;
    QString installed = InstalledPath();
    QString profile; // ProfilePath() for the user's
};
// The path kept in Voyanta's profile: group "Bookings", key "Extractor".
QString ProfilePath();
// The program to run, or an empty text when there is none.
QString Find(const Search& search);
// Why none was found, naming the package to install.
QString MissingMessage(const Search& search);

// Why the file is not handed to the program (not a plain file, larger than MaxFileSize),
// or an empty text.
QString Refusal(const QString& path);

struct Settings {
    QString program;
    int timeLimitMs = DefaultTimeLimitMs;
    // When the documents were received: barcodes name a day without its year.
    QDateTime received;
};

// What came out of one file, or of several.
struct Result {
    enum Status { Found, NothingFound, Failed };
    Status status = Found;
    QString message; // for NothingFound and Failed, naming the file
    QList<Booking> bookings;
};

// How a run of the program ended.
struct RunEnd {
    bool started = true;
    QString startError;
    bool timedOut = false;
    bool crashed = false;
    int exitCode = 0;
    QByteArray output;
    QByteArray errors;
};
// Reads the bookings out of what the program printed for the file, or says why not.
Result Interpret(const QString& file, const RunEnd& end, int timeLimitMs);
QStringList ArgumentsFor(const QString& file, const Settings& settings);

// Runs the program on the files one after another and waits for it (a local event loop,
// for the command line): the bookings of all files, or the first file's failure.
Result Extract(const QStringList& files, const Settings& settings);

// Runs the program on the files one after another without blocking: for the window.
// finished is emitted once, with the bookings of all files, or with the first file's
// failure; a cancelled job emits nothing. Each run is stopped at the time limit.
class Job : public QObject {
    Q_OBJECT
public:
    Job(QStringList files, Settings settings, QObject* parent = nullptr);
    ~Job() override;
    void start();
    void cancel();
    bool isRunning() const { return m_process != nullptr; }

signals:
    void finished(const BookingExtractor::Result& result);

private:
    void startNext();
    void finishProcess(const RunEnd& end);

    QStringList m_files;
    Settings m_settings;
    qsizetype m_next = 0;
    Result m_result;
    QProcess* m_process = nullptr; // a child of the job while it runs
    QTimer m_timer;
};

} // namespace BookingExtractor
