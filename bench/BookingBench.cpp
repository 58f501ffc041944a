#include "BookingBench.h"

#include "BenchTiming.h"
#include "BookingExtractor.h"
#include "Cli.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using Object = QJsonObject;

Object place(const char* type, const QString& name)
{
    return {{QStringLiteral("@type"), QLatin1String(type)}, {QStringLiteral("name"), name}};
}

// The i-th booking: a flight, a train or a hotel in turns, each on a day of its own.
Object booking(int i)
{
    const QString day = QStringLiteral("2027-05-%1T").arg(i + 1, 2, 10, QLatin1Char('0'));
    const QString number = QString::number(100 + i);
    Object reservation{{QStringLiteral("@context"), QStringLiteral("http://schema.org")}};
    if (i % 3 == 0) {
        reservation[QStringLiteral("@type")] = QStringLiteral("FlightReservation");
        reservation[QStringLiteral("airplaneSeat")] = number + QLatin1Char('A');
        reservation[QStringLiteral("reservationFor")] = Object{
            {QStringLiteral("@type"), QStringLiteral("Flight")},
            {QStringLiteral("flightNumber"), number},
            {QStringLiteral("airline"), Object{{QStringLiteral("iataCode"), QStringLiteral("LH")}}},
            {QStringLiteral("departureAirport"), place("Airport", QStringLiteral("Frankfurt"))},
            {QStringLiteral("departureTime"), day + QStringLiteral("08:05:00+02:00")},
            {QStringLiteral("arrivalAirport"), place("Airport", QStringLiteral("Lisbon"))},
            {QStringLiteral("arrivalTime"), day + QStringLiteral("10:20:00+01:00")}};
    } else if (i % 3 == 1) {
        reservation[QStringLiteral("@type")] = QStringLiteral("TrainReservation");
        reservation[QStringLiteral("reservationFor")] = Object{
            {QStringLiteral("@type"), QStringLiteral("TrainTrip")},
            {QStringLiteral("trainNumber"), QStringLiteral("IC ") + number},
            {QStringLiteral("departureStation"), place("TrainStation", QStringLiteral("Lisbon"))},
            {QStringLiteral("departureTime"), day + QStringLiteral("13:00:00+01:00")},
            {QStringLiteral("arrivalStation"), place("TrainStation", QStringLiteral("Porto"))},
            {QStringLiteral("arrivalTime"), day + QStringLiteral("15:49:00+01:00")}};
    } else {
        Object hotel = place("LodgingBusiness", QStringLiteral("Hotel ") + number);
        hotel[QStringLiteral("address")] =
            Object{{QStringLiteral("@type"), QStringLiteral("PostalAddress")},
                   {QStringLiteral("streetAddress"), QStringLiteral("Rua ") + number},
                   {QStringLiteral("addressLocality"), QStringLiteral("Porto")}};
        reservation[QStringLiteral("@type")] = QStringLiteral("LodgingReservation");
        reservation[QStringLiteral("reservationFor")] = hotel;
        reservation[QStringLiteral("checkinTime")] = day + QStringLiteral("16:00:00+01:00");
        reservation[QStringLiteral("checkoutTime")] = day + QStringLiteral("23:00:00+01:00");
    }
    reservation[QStringLiteral("reservationNumber")] = QStringLiteral("B") + number;
    return reservation;
}

// A web page confirming 20 bookings.
QByteArray confirmation()
{
    QJsonArray bookings;
    for (int i = 0; i < 20; ++i)
        bookings.append(booking(i));
    return "<html><head><script type=\"application/ld+json\">" + QJsonDocument(bookings).toJson() +
           "</script></head><body><p>Thank you for your booking.</p></body></html>\n";
}

} // namespace

void BenchBookingImport()
{
    const char* what = "import-booking of 20 bookings vs the extractor alone";
    const QString program = BookingExtractor::InstalledPath();
    if (BookingExtractor::Find({}).isEmpty()) {
        std::printf("%-58s skipped: %s is not installed (Debian package %s)\n", what,
                    qPrintable(program), BookingExtractor::PackageName);
        return;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("confirmation.html"));
    QFile page(file);
    const QByteArray bytes = confirmation();
    if (!page.open(QIODevice::WriteOnly) || page.write(bytes) != bytes.size())
        qFatal("%s could not be written", qPrintable(file));
    page.close();

    const int runs = 15;
    const QStringList arguments = BookingExtractor::ArgumentsFor(file, {});
    const auto extract = [&] {
        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(program, arguments, QIODevice::ReadOnly);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            qFatal("the booking extractor failed on %s", qPrintable(file));
    };

    // Each import into a folder of its own, made beforehand, so that each makes 20 bookings.
    const auto folder = [&](int i) { return dir.filePath(QStringLiteral("work%1").arg(i)); };
    const auto cli = [&](const QStringList& command) {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int exit =
            RunCli(command, out, err, CliContext{dir.filePath(QStringLiteral("images"))});
        if (exit != 0)
            qFatal("voyanta-cli %s: %s", qPrintable(command.join(u' ')), err.data().constData());
        return out.data();
    };
    for (int i = 0; i <= runs; ++i) {
        QDir().mkpath(folder(i));
        cli({QStringLiteral("--workdir"), folder(i), QStringLiteral("init")});
    }
    // Turn about, so that a slower stretch of the machine weighs on all three alike.
    extract(); // the caches warm
    std::vector<double> alone;
    std::vector<double> importing;
    std::vector<double> previewing;
    for (int run = 0; run < runs; ++run) {
        alone.push_back(Seconds(extract));
        qsizetype made = 0;
        importing.push_back(Seconds([&] {
            made = cli({QStringLiteral("--workdir"), folder(run + 1),
                        QStringLiteral("import-booking"), file})
                       .count('\n');
        }));
        if (made != 1 + 20) // the travel and a stage for each booking
            qFatal("the import made %lld records instead of 21", qlonglong(made));
        // The same without writing: what reading and mapping add to the extractor's run,
        // apart from the store's atomic saves of the travel, the stages and their
        // appointments.
        previewing.push_back(Seconds([&] {
            made = cli({QStringLiteral("--workdir"), folder(0), QStringLiteral("import-booking"),
                        QStringLiteral("--dry-run"), file})
                       .count('\n');
        }));
        if (made != 20)
            qFatal("the dry run listed %lld bookings instead of 20", qlonglong(made));
    }
    const double baseline = Median(alone);
    const auto report = [&](const char* measured, std::vector<double> times) {
        const double seconds = Median(std::move(times));
        std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n", measured, seconds,
                    baseline, seconds / baseline, "goal <= 1.2");
    };
    report(what, importing);
    report("import-booking --dry-run of them vs the extractor alone", previewing);
}
