#include "CliRun.h"
#include "PdfText.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The name of the paper size of a PDF's first page, as pdfinfo reads it: "A4", "letter".
QString pageSizeOf(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return {};
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QLatin1String("Page size:")))
            return line.section(QLatin1Char('('), 1).chopped(1);
    }
    return {};
}

// A command line written as one text, words separated by blanks.
QStringList words(const QString& text)
{
    return text.split(QLatin1Char(' '));
}

} // namespace

// The documents voyanta-cli makes with QtGui: printed lists and itineraries as PDF.
class CliDocumentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    TestClock m_clock;
    RecordKey m_rome;
    RecordKey m_stage;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    CliRun cli(const QStringList& arguments)
    {
        return runCli(QStringList{QStringLiteral("--workdir"), m_dir->path(),
                                  QStringLiteral("--locale"), QStringLiteral("en_US")} +
                          arguments,
                      CliContext{path(QStringLiteral("Travel Images")), m_clock.function()});
    }

    // Prints with voyanta-cli and returns the text of the PDF.
    QString printed(const QStringList& arguments)
    {
        const QString pdf = path(QStringLiteral("printed.pdf"));
        QFile::remove(pdf);
        const CliRun run = cli(QStringList{QStringLiteral("print")} + arguments +
                               QStringList{QStringLiteral("--output"), pdf});
        // Nothing but the pages: no notices of fonts or of the session on standard error.
        if (run.exitCode != 0 || !run.err.isEmpty())
            return QStringLiteral("exit %1: %2").arg(run.exitCode).arg(run.err);
        return pdfText(pdf);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        TravelDataStore store;
        QVERIFY(openStore(store, m_dir->path(), &m_clock));
        TravelRecord rome(at(2006, 3, 20, 8));
        rome.title = QStringLiteral("Rome");
        rome.from = QStringLiteral("Berlin");
        rome.destination = QStringLiteral("Roma");
        rome.end = at(2006, 3, 24, 18);
        rome.mode = QStringLiteral("Train");
        m_rome = store.AddTravel(rome).key;
        // Later by key and by start, first by title: the travel list sorts by title.
        TravelRecord amsterdam(at(2006, 3, 25, 7));
        amsterdam.title = QStringLiteral("Amsterdam");
        amsterdam.end = at(2006, 3, 28, 22);
        QVERIFY(store.AddTravel(amsterdam).ok());
        QVERIFY(store
                    .SaveCheckList(m_rome,
                                   {{QStringLiteral("Visa"), 0}, {QStringLiteral("Passport"), 1}})
                    .ok());
        QVERIFY(store
                    .SaveExpenses(
                        m_rome, {{QStringLiteral("Food"), 2, QStringLiteral("Kg"), 6.25, 12.5, 1}})
                    .ok());
        StageRecord colosseum = stageOf(m_rome, at(2006, 3, 21, 9), QStringLiteral("Colosseum"),
                                        QStringLiteral("Piazza del Colosseo"));
        m_stage = store.AddStage(colosseum).key;
        AppointmentRecord tour(at(2006, 3, 21, 10, 30));
        tour.subject = QStringLiteral("Guided tour");
        tour.location = QStringLiteral("Gate B");
        QVERIFY(store.SaveAppointments(m_stage, {tour}).ok());
    }

    void everyListPrintsAsTheWindowPrintsIt()
    {
        // Columns that do not fit two thirds of the page go on in a strip of their own,
        // column 0 first again.
        COMPARE_TEXT(printed(words(QStringLiteral("--list travels --month 2006-03"))),
                     QStringLiteral("Voyanta - Travel List\nName\nAmsterdam\nRome\n\nPage 1\n\n"
                                    "From\n\nDestination\n\nBerlin\n\nRoma\n\n\f"
                                    "Voyanta - Travel List\nName\nAmsterdam\nRome\n\n"
                                    "Start Date\n3/25/06\n3/20/06\n\nPage 2\n"
                                    "End Date\n3/28/06\n3/24/06\n\n\f"));
        COMPARE_TEXT(printed(words(m_rome + QStringLiteral(" --list checklist"))),
                     QStringLiteral("Voyanta - Check List for Rome\nCheck List Items\nPassport\n"
                                    "Visa\n\nPage 1\n\n\f"));
        COMPARE_TEXT(printed(words(m_rome + QStringLiteral(" --list details"))),
                     QStringLiteral("Voyanta - Travel Details\n\nRome\nFrom\nDestination\n"
                                    "Start Date\nEnd Date\nMode\nPriority\nType\nSeat No\n"
                                    "Ticket No\nStatus\nNotes\n\nBerlin\nRoma\n3/20/06\n3/24/06\n"
                                    "Train\n\nPage 1\n\n\f"));
        COMPARE_TEXT(printed(words(m_rome + QStringLiteral(" --list expenses"))),
                     QStringLiteral("Voyanta - Expenses for Rome\nProduct\nFood\n\nPage 1\n"
                                    "Qty Unit\n2.00 Kg\n\n\f"
                                    "Voyanta - Expenses for Rome\nProduct\nFood\n\nPage 2\n\n"
                                    "Price/Unit\n$6.25\n\nTotal\n$12.50\n\nGrand Total\n\n"
                                    "$12.50\n\n\f"));
        COMPARE_TEXT(printed(words(m_rome + QStringLiteral(" --list stages"))),
                     QStringLiteral("Voyanta - Travel Stages for Rome\nStage\nColosseum\n\n"
                                    "Date\n3/21/06\n\nPage 1\n\n\f"
                                    "Voyanta - Travel Stages for Rome\nStage\nColosseum\n\n"
                                    "Place\nPiazza del Colosseo\n\nPage 2\n\n\f"));
        COMPARE_TEXT(printed(words(m_stage + QStringLiteral(" --list stage"))),
                     QStringLiteral("Voyanta - Details and Appointments for Stage Colosseum\n\n"
                                    "Colosseum\nDate\nPlace\nNotes\nAppointments:\n"
                                    "3/21/06 10:30 AM\n\n3/21/06\nPiazza del Colosseo\n\n"
                                    "Guided tour at Gate B\n\nPage 1\n\n\f"));
    }

    void pagesAreOnThePaperAsked_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("size");
        // Lists on A4 unless Letter is asked; the itinerary on the paper of the locale,
        // Letter in the United States, unless A4 is asked.
        QTest::newRow("list") << QStringLiteral("print %1 --list checklist") << "A4";
        QTest::newRow("list on letter")
            << QStringLiteral("print %1 --list checklist --page-size Letter") << "letter";
        QTest::newRow("itinerary") << QStringLiteral("export %1 --format pdf") << "letter";
        QTest::newRow("itinerary on A4")
            << QStringLiteral("export %1 --format pdf --page-size A4") << "A4";
    }

    void pagesAreOnThePaperAsked()
    {
        QFETCH(QString, line);
        QFETCH(QString, size);
        const QString pdf = path(QStringLiteral("sized.pdf"));
        const CliRun run =
            cli(words(line.arg(m_rome)) + QStringList{QStringLiteral("--output"), pdf});
        QCOMPARE(run.exitCode, 0);
        // Nothing but the pages: no notices of fonts or of the session.
        QCOMPARE(run.out + run.err, QString());
        QCOMPARE(pageSizeOf(pdf), size);
    }

    void badPrintAndExportLinesAreRefused()
    {
        // %1 is the travel, %2 its stage, %3 a file to write.
        const QString pdf = path(QStringLiteral("never.pdf"));
        const std::pair<const char*, const char*> lines[]{
            {"print --list travels --month 2006-03",
             "print: a PDF is written to a file: give --output FILE"},
            {"print %1 --output %3", "print: --list is missing"},
            {"print --list travels --output %3", "print: the travel list wants --month YYYY-MM"},
            {"print %1 --list travels --month 2006-03 --output %3",
             "print: unexpected argument \"%1\""},
            {"print --list checklist --output %3", "print: missing argument"},
            {"print %1 --list notes --output %3", "print: unknown list \"notes\""},
            {"print %1 --list stage --output %3", "no stage with the key \"%1\""},
            {"print %1 --list details --page-size A5 --output %3",
             "--page-size wants A4 or Letter, not \"A5\""},
            {"print %1 --list details --format pdf --output %3",
             "--format belongs to the export command"},
            {"show %1 --page-size A4", "--page-size belongs to the export and print commands"},
        };
        const auto fill = [&](const char* text) {
            return QString::fromUtf8(text)
                .replace(QLatin1String("%1"), m_rome)
                .replace(QLatin1String("%2"), m_stage)
                .replace(QLatin1String("%3"), pdf);
        };
        for (const auto& [line, message] : lines) {
            const CliRun run = cli(words(fill(line)));
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.err, QStringLiteral("voyanta-cli: ") + fill(message) + QLatin1Char('\n'));
        }
        QVERIFY(!QFile::exists(pdf));

        // A file that cannot be written: exit 3, naming it.
        const QString nowhere = path(QStringLiteral("missing/rome.pdf"));
        for (const QString& line : {QStringLiteral("print %1 --list checklist --output"),
                                    QStringLiteral("export %1 --format pdf --output")}) {
            const CliRun run = cli(words(line.arg(m_rome)) + QStringList{nowhere});
            QCOMPARE(run.exitCode, 3);
            QVERIFY2(run.err.startsWith(QStringLiteral("voyanta-cli: ") +
                                        QDir::toNativeSeparators(nowhere) + QStringLiteral(": ")),
                     qPrintable(run.err));
        }
    }

    void theProgramMakesPagesWithoutADisplay()
    {
        // No platform named and no display: the pages are made offscreen.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        const QString pdf = path(QStringLiteral("program.pdf"));
        const QList<std::pair<QString, QString>> lines{
            {QStringLiteral("print %1 --list checklist --output"),
             QStringLiteral("Voyanta - Check List for Rome\n")},
            {QStringLiteral("export %1 --format pdf --output"), QStringLiteral("Rome\n")},
        };
        for (const auto& [line, start] : lines) {
            QFile::remove(pdf);
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(
                QStringLiteral(VOYANTA_CLI),
                words(QStringLiteral("--workdir %1 ").arg(m_dir->path()) + line.arg(m_rome)) +
                    QStringList{pdf});
            QVERIFY(process.waitForFinished(30000));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 0);
            QVERIFY2(pdfText(pdf).startsWith(start), qPrintable(pdfText(pdf)));
        }
        // The other commands need no platform at all: they stay on QtCore.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        QProcess listing;
        listing.setProcessEnvironment(environment);
        listing.start(QStringLiteral(VOYANTA_CLI), {QStringLiteral("--workdir"), m_dir->path(),
                                                    QStringLiteral("stages"), m_rome});
        QVERIFY(listing.waitForFinished(30000));
        QCOMPARE(listing.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(listing.readAllStandardOutput()),
                 m_stage + QStringLiteral("\t2006-03-21 09:00:00\tColosseum\n"));

        // Without the program that makes its pages, voyanta-cli says where it looked.
        const QString alone = path(QStringLiteral("alone/voyanta-cli"));
        QVERIFY(QDir().mkpath(QFileInfo(alone).path()));
        QVERIFY(QFile::copy(QStringLiteral(VOYANTA_CLI), alone));
        QProcess lone;
        lone.setProcessEnvironment(environment);
        lone.start(alone, words(QStringLiteral("--workdir %1 ").arg(m_dir->path()) +
                                lines.first().first.arg(m_rome)) +
                              QStringList{pdf});
        QVERIFY(lone.waitForFinished(30000));
        QCOMPARE(lone.exitCode(), 3);
        const QString said = QString::fromLocal8Bit(lone.readAllStandardError());
        QVERIFY2(said.startsWith(
                     QStringLiteral("voyanta-cli: pages are made by "
                                    "voyanta-cli-pages, which is in none of %1, ")
                         .arg(QFileInfo(alone).path() + QStringLiteral("/voyanta-cli-pages"))),
                 qPrintable(said));
    }
};

QTEST_MAIN(CliDocumentsTest)
#include "tst_cli_documents.moc"
