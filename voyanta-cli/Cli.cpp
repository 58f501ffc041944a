#include "Cli.h"

#include "BookingMapping.h"
#include "CliPages.h"
#include "CommandSync.h"
#include "ConflictResolution.h"
#include "Currency.h"
#include "ExportFile.h"
#include "FindIndex.h"
#include "FolderCheck.h"
#include "RecordFile.h"
#include "RecordJson.h"
#include "SampleTravels.h"
#include "SaveFile.h"
#include "SyncthingClient.h"
#include "TravelDataStore.h"
#include "TravelDocument.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocale>
#include <QSettings>

#include <limits>
#include <optional>

namespace {

const char* const usage =
    "usage: voyanta-cli [--workdir DIR] [--locale NAME] [--verbose] COMMAND [ARGS]\n"
    "       voyanta-cli --help\n"
    "commands:\n"
    "  init                    create the data folder and the default preference lists\n"
    "  list [--month YYYY-MM]  list travels: key, start, end, title\n"
    "  stages TRAVELKEY        list the stages of a travel: key, date, title\n"
    "  show TRAVELKEY          print a travel with everything it owns as JSON\n"
    "  find TEXT               list every record that holds TEXT: kind, key, date, title,\n"
    "                          field\n"
    "  import FILE.json        add a travel from a document that show printed\n"
    "  import-booking FILE... [--travel KEY] [--dry-run] [--extractor PATH]\n"
    "                          add the bookings of confirmation e-mails, PDFs, web pages\n"
    "                          and boarding passes as stages; prints the travel's key and\n"
    "                          the keys of the stages it made or changed, or with\n"
    "                          --dry-run one line per booking: kind, when, from -> to,\n"
    "                          booking number, seat\n"
    "  export TRAVELKEY --format html|text|checklist-csv|expenses-csv|ics [--output FILE]\n"
    "                          write a travel as a document, to FILE or standard output\n"
    "  export TRAVELKEY --format pdf --output FILE [--page-size A4|Letter]\n"
    "                          write a travel as an itinerary PDF\n"
    "  print --list travels --month YYYY-MM --output FILE [--page-size A4|Letter]\n"
    "  print TRAVELKEY --list details|checklist|expenses|stages --output FILE [...]\n"
    "  print STAGEKEY --list stage --output FILE [...]\n"
    "                          print a list as the window prints it, to a PDF file\n"
    "  sample [YYYY-MM]        make the working directory one of the sample travels, the\n"
    "                          first of them in this month (or the month given)\n"
    "  copy TRAVELKEY          copy a travel with everything it owns; prints the new key\n"
    "  delete TRAVELKEY        delete a travel with everything it owns\n"
    "  currency [CODE]         print the home currency, or make CODE (ISO 4217) the home\n"
    "                          currency of the working directory\n"
    "  dump FILE               print one record file as JSON\n"
    "  check                   list every record file that cannot be read whole and every\n"
    "                          file whose travel or stage is gone\n"
    "  conflicts               list the conflict copies sync engines left: record file,\n"
    "                          copy, engine, date\n"
    "  resolve FILE --keep record|copy|merge\n"
    "                          settle a conflict copy (or every copy of a record file);\n"
    "                          the versions not kept go to the folder Conflicts\n"
    "  sync [--timeout SECONDS]\n"
    "                          have the sync command the settings name ([Sync] Command),\n"
    "                          or the Syncthing that shares the working directory, bring\n"
    "                          it up to date with the other computers; exit 4 when the\n"
    "                          time limit (30 s) runs out, 5 when there is no engine\n";

// Thrown for bad usage or input; becomes one line on standard error and exit 2.
struct UsageError {
    QString message;
};

struct Failure {
    QString message;
};

// Any other ending with a message and its own exit status.
struct Stop {
    int code;
    QString message;
};

// The options of every command; each command takes the ones that belong to it.
struct Options {
    QCommandLineParser parser;
    const QCommandLineOption workdir{QStringLiteral("workdir"), QString(), QStringLiteral("DIR")};
    const QCommandLineOption locale{QStringLiteral("locale"), QString(), QStringLiteral("NAME")};
    const QCommandLineOption month{QStringLiteral("month"), QString(), QStringLiteral("YYYY-MM")};
    const QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("FORMAT")};
    const QCommandLineOption output{QStringLiteral("output"), QString(), QStringLiteral("FILE")};
    const QCommandLineOption list{QStringLiteral("list"), QString(), QStringLiteral("LIST")};
    const QCommandLineOption pageSize{QStringLiteral("page-size"), QString(),
                                      QStringLiteral("SIZE")};
    const QCommandLineOption keep{QStringLiteral("keep"), QString(), QStringLiteral("VERSION")};
    const QCommandLineOption timeout{QStringLiteral("timeout"), QString(),
                                     QStringLiteral("SECONDS")};
    const QCommandLineOption travel{QStringLiteral("travel"), QString(), QStringLiteral("KEY")};
    const QCommandLineOption dryRun{QStringLiteral("dry-run"), QString()};
    const QCommandLineOption extractor{QStringLiteral("extractor"), QString(),
                                       QStringLiteral("PATH")};
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QString()};

    Options()
    {
        parser.addOptions({workdir, locale, month, format, output, list, pageSize, keep, timeout,
                           travel, dryRun, extractor, help});
    }

    bool parse(const QStringList& arguments)
    {
        return parser.parse(QStringList{QStringLiteral("voyanta-cli")} + arguments);
    }
    QString command() const { return parser.positionalArguments().value(0); }
};

// The characters that embed, override or isolate a direction: left in a field, one
// would reorder what a terminal shows after it on the line.
bool isBidiControl(char16_t u)
{
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

// A text as one tab-separated field on one line: a backslash, a tab, line breaks,
// other control characters and the direction controls are written as escapes.
QString field(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            escaped += QLatin1String("\\\\");
        else if (u == u'\t')
            escaped += QLatin1String("\\t");
        else if (u == u'\n')
            escaped += QLatin1String("\\n");
        else if (u == u'\r')
            escaped += QLatin1String("\\r");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0x2028 || u == 0x2029 ||
                 isBidiControl(u))
            escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

QString formatDateTime(const DateTimeValue& value)
{
    if (value.status == DateTimeValue::Null)
        return QStringLiteral("null");
    if (!value.isValid() || !value.hasCalendarValue())
        return QStringLiteral("invalid");
    return value.toWallClock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

class Command {
public:
    Command(QIODevice& out, QIODevice& err, const CliContext& context)
        : m_out(out), m_err(err), m_context(context)
    {
    }

    int run(const QStringList& arguments)
    {
        const int code = runCommand(arguments);
        flush();
        // Files skipped while loading or while the command read the lists it needed.
        const qsizetype skipped = m_store.problems().size();
        if (skipped > 0) {
            warn(QStringLiteral("voyanta-cli: %1 record file(s) could not be read whole and were "
                                "skipped; run \"voyanta-cli check\" for details\n")
                     .arg(skipped));
        }
        return code;
    }

    // Results are gathered and written in large steps; a write that fails ends the
    // command.
    void print(const QString& text) { printBytes(text.toUtf8()); }
    void printBytes(const QByteArray& bytes)
    {
        m_pending += bytes;
        if (m_pending.size() >= (1 << 16))
            flush();
    }
    void flush()
    {
        const QByteArray bytes = std::exchange(m_pending, {});
        if (!bytes.isEmpty() && m_out.write(bytes) != bytes.size()) {
            const QString reason = m_out.errorString();
            throw Failure{
                QStringLiteral("standard output: %1")
                    .arg(reason.isEmpty() ? QStringLiteral("cannot be written") : reason)};
        }
    }
    void warn(const QString& text) { m_err.write(text.toUtf8()); }

private:
    int runCommand(const QStringList& arguments)
    {
        Options options;
        if (!options.parse(arguments))
            throw UsageError{options.parser.errorText()};
        const QCommandLineParser& parser = options.parser;
        if (parser.isSet(options.help)) {
            print(QString::fromLatin1(usage));
            return ExitSuccess;
        }
        const QStringList positional = parser.positionalArguments();
        if (positional.isEmpty())
            throw UsageError{QStringLiteral("no command given")};
        const QString command = positional.first();
        const QStringList args = positional.mid(1);
        if (parser.isSet(options.locale))
            m_store.setDisplayFormats(DisplayFormats(checkedLocale(parser.value(options.locale))));
        if (m_context.clock)
            m_store.setClock(m_context.clock);
        const auto belongsTo = [&](const QCommandLineOption& option, QStringList commands) {
            if (parser.isSet(option) && !commands.contains(command)) {
                throw UsageError{QStringLiteral("--%1 belongs to the %2 command%3")
                                     .arg(option.names().first(),
                                          commands.join(QLatin1String(" and ")),
                                          commands.size() > 1 ? QStringLiteral("s") : QString())};
            }
        };
        const QString listCommand = QStringLiteral("list");
        const QString exportCommand = QStringLiteral("export");
        const QString printCommand = QStringLiteral("print");
        belongsTo(options.month, {listCommand, printCommand});
        belongsTo(options.format, {exportCommand});
        belongsTo(options.output, {exportCommand, printCommand});
        belongsTo(options.list, {printCommand});
        belongsTo(options.pageSize, {exportCommand, printCommand});
        belongsTo(options.keep, {QStringLiteral("resolve")});
        belongsTo(options.timeout, {QStringLiteral("sync")});
        const QString importBookingCommand = QStringLiteral("import-booking");
        belongsTo(options.travel, {importBookingCommand});
        belongsTo(options.dryRun, {importBookingCommand});
        belongsTo(options.extractor, {importBookingCommand});

        if (command == QLatin1String("dump")) {
            expectArguments(command, args, 1);
            return dump(args.first());
        }
        // The samples may go into a folder that is not there yet.
        if (command == QLatin1String("sample") && parser.isSet(options.workdir))
            QDir().mkpath(parser.value(options.workdir));
        const QString workingDirectory = resolveWorkingDirectory(parser.value(options.workdir));
        m_store.setWorkingDirectory(workingDirectory);
        if (!m_context.imagesFolder.isEmpty())
            m_store.setImagesFolder(m_context.imagesFolder);

        if (command == QLatin1String("init")) {
            expectArguments(command, args, 0);
            require(m_store.Refresh());
            adoptLegacyPictures();
            require(CreateFolder(m_store.imagesFolder()));
            return ExitSuccess;
        }
        if (command == QLatin1String("check")) {
            expectArguments(command, args, 0);
            return check();
        }
        if (command == QLatin1String("sample"))
            return sample(workingDirectory, args);
        if (command == QLatin1String("sync")) {
            expectArguments(command, args, 0);
            return sync(workingDirectory, parser.isSet(options.timeout)
                                              ? std::optional(parser.value(options.timeout))
                                              : std::nullopt);
        }
        if (command == QLatin1String("conflicts")) {
            expectArguments(command, args, 0);
            return listConflicts(workingDirectory);
        }
        if (command == QLatin1String("resolve")) {
            expectArguments(command, args, 1);
            return resolve(workingDirectory, args.first(), parser.value(options.keep));
        }
        if (!QFileInfo(m_store.dataFolder().path()).isDir()) {
            throw UsageError{QStringLiteral("%1 holds no data folder (run init first)")
                                 .arg(QDir::toNativeSeparators(workingDirectory))};
        }
        load();
        if (command == QLatin1String("list")) {
            expectArguments(command, args, 0);
            return listTravels(parser.isSet(options.month) ? parser.value(options.month)
                                                           : QString());
        }
        if (command == QLatin1String("stages")) {
            expectArguments(command, args, 1);
            return stages(existingTravel(args.first()));
        }
        if (command == QLatin1String("show")) {
            expectArguments(command, args, 1);
            return show(existingTravel(args.first()));
        }
        if (command == QLatin1String("export")) {
            expectArguments(command, args, 1);
            return exportTravel(existingTravel(args.first()), parser.value(options.format),
                                parser.value(options.output), pageSizeOf(options));
        }
        if (command == QLatin1String("print")) {
            return printList(args, parser.value(options.list), parser.value(options.month),
                             parser.value(options.output), pageSizeOf(options));
        }
        if (command == QLatin1String("find")) {
            expectArguments(command, args, 1);
            return find(args.first());
        }
        if (command == QLatin1String("import")) {
            expectArguments(command, args, 1);
            return import(args.first());
        }
        if (command == importBookingCommand) {
            return importBookings(args, parser.value(options.travel), parser.isSet(options.dryRun),
                                  parser.value(options.extractor));
        }
        if (command == QLatin1String("currency")) {
            if (args.size() > 1)
                throw UsageError{QStringLiteral("currency takes at most an ISO 4217 code")};
            if (!args.isEmpty()) {
                if (!Currency::IsIsoCode(args.first()))
                    throw UsageError{
                        QStringLiteral("\"%1\" is no ISO 4217 currency code").arg(args.first())};
                require(m_store.SetHomeCurrency(args.first()));
            }
            print(m_store.HomeCurrency() + QLatin1Char('\n'));
            return ExitSuccess;
        }
        if (command == QLatin1String("copy")) {
            expectArguments(command, args, 1);
            const KeyOutcome copied = m_store.CopyTravel(existingTravel(args.first()));
            require(copied.outcome);
            printNewKey(copied.key);
            return ExitSuccess;
        }
        if (command == QLatin1String("delete")) {
            expectArguments(command, args, 1);
            require(m_store.DeleteTravel(existingTravel(args.first())));
            return ExitSuccess;
        }
        throw UsageError{QStringLiteral("unknown command \"%1\"").arg(command)};
    }

    // Makes the working directory one of the sample travels, moved to a month.
    int sample(const QString& workingDirectory, const QStringList& args)
    {
        if (args.size() > 1)
            throw UsageError{QStringLiteral("sample takes at most a month, YYYY-MM")};
        const QDate month = args.isEmpty() ? QDate::currentDate()
                                           : QDate::fromString(args.first() + QStringLiteral("-01"),
                                                               QStringLiteral("yyyy-MM-dd"));
        if (!month.isValid())
            throw UsageError{QStringLiteral("give the month as YYYY-MM, not %1").arg(args.first())};
        const QString samples = SampleTravels::Folder();
        if (samples.isEmpty())
            throw UsageError{QStringLiteral("the sample travels are not installed")};
        require(SampleTravels::Make(samples, workingDirectory, month));
        return ExitSuccess;
    }

    // The key of a travel the command made. When it cannot be printed, the travel is
    // removed again: whoever ran the command could not find it.
    void printNewKey(const RecordKey& key)
    {
        try {
            print(key + QLatin1Char('\n'));
            flush();
        } catch (const Failure&) {
            (void)m_store.DeleteTravel(key);
            throw;
        }
    }

    static void expectArguments(const QString& command, const QStringList& args, int count)
    {
        if (args.size() < count)
            throw UsageError{QStringLiteral("%1: missing argument").arg(command)};
        if (args.size() > count)
            throw UsageError{
                QStringLiteral("%1: unexpected argument \"%2\"").arg(command, args.at(count))};
    }

    static QLocale checkedLocale(const QString& name)
    {
        const QLocale locale(name);
        if (locale.language() == QLocale::C && name != QLatin1String("C"))
            throw UsageError{QStringLiteral("unknown locale \"%1\"").arg(name)};
        return locale;
    }

    static void require(const Outcome& outcome)
    {
        if (!outcome.ok())
            throw Failure{outcome.message()};
    }

    static QString resolveWorkingDirectory(const QString& given)
    {
        QString path = given;
        if (path.isEmpty()) {
            QSettings settings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
            path = settings.value(QStringLiteral("Directory/Path")).toString();
        }
        if (path.isEmpty()) {
            throw UsageError{QStringLiteral(
                "no working directory: pass --workdir DIR or choose one in Voyanta")};
        }
        const QFileInfo folder(path);
        if (folder.exists() && !folder.isDir()) {
            throw UsageError{QStringLiteral("the working directory %1 is a file, not a folder")
                                 .arg(QDir::toNativeSeparators(path))};
        }
        if (!folder.isDir()) {
            throw UsageError{QStringLiteral("the working directory %1 does not exist")
                                 .arg(QDir::toNativeSeparators(path))};
        }
        return path;
    }

    void load()
    {
        m_store.LoadTravels();
        m_store.LoadStages();
        adoptLegacyPictures();
    }

    // A working directory without its own images folder gets copies of its travels'
    // pictures from the legacy folder; what was copied or failed is said on standard
    // error, and the command goes on.
    void adoptLegacyPictures()
    {
        const LegacyPictures pictures = m_store.CopyLegacyPictures(m_context.legacyImagesFolder);
        for (const QString& message : {pictures.copiedMessage(), pictures.failureMessage()}) {
            if (!message.isEmpty())
                warn(QStringLiteral("voyanta-cli: %1\n").arg(message));
        }
    }

    RecordKey existingTravel(const QString& key) const
    {
        if (!m_store.HasTravel(key))
            throw UsageError{QStringLiteral("no travel with the key \"%1\"").arg(key)};
        return key;
    }

    RecordKey existingStage(const QString& key) const
    {
        if (key.isEmpty() || m_store.GetStage(key).key != key)
            throw UsageError{QStringLiteral("no stage with the key \"%1\"").arg(key)};
        return key;
    }

    static QDate firstOfMonth(const QString& month)
    {
        const QDate first = QDate::fromString(month + QStringLiteral("-01"), Qt::ISODate);
        if (!first.isValid() || month.size() != 7)
            throw UsageError{QStringLiteral("--month wants YYYY-MM, not \"%1\"").arg(month)};
        return first;
    }

    int listTravels(const QString& month)
    {
        const QList<RecordKey> keys =
            month.isEmpty()
                ? m_store.TravelKeys()
                : m_store.TravelsStartingIn(DateTimeValue::fromDate(firstOfMonth(month)));
        for (const RecordKey& key : keys) {
            const TravelRecord travel = m_store.GetTravel(key);
            print(QStringLiteral("%1\t%2\t%3\t%4\n")
                      .arg(key, formatDateTime(travel.start), formatDateTime(travel.end),
                           field(travel.title)));
        }
        return ExitSuccess;
    }

    int stages(const RecordKey& travelKey)
    {
        for (const RecordKey& key : m_store.StagesOf(travelKey)) {
            const StageRecord stage = m_store.GetStage(key);
            print(QStringLiteral("%1\t%2\t%3\n")
                      .arg(key, formatDateTime(stage.date), field(stage.title)));
        }
        return ExitSuccess;
    }

    int show(const RecordKey& key)
    {
        WholeTravel whole = GatherTravel(m_store, key);
        whole.pictures = GatherPictures(m_store, key);
        printBytes(QJsonDocument(TravelDocument(whole, m_store.displayFormats())).toJson());
        return ExitSuccess;
    }

    int find(const QString& text)
    {
        if (text.trimmed().isEmpty())
            throw UsageError{QStringLiteral("find: nothing to look for")};
        FindIndex index;
        index.rebuild(m_store);
        const QList<FindMatch> matches = index.find(text, std::numeric_limits<int>::max());
        for (const FindMatch& match : matches) {
            const bool ofStage =
                match.kind == FindKind::Stage || match.kind == FindKind::Appointment;
            print(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                      .arg(FindIndex::KindName(match.kind),
                           ofStage ? match.stageKey : match.travelKey, formatDateTime(match.date),
                           field(match.title), match.field));
        }
        return matches.isEmpty() ? ExitNothingFound : ExitSuccess;
    }

    // The page size given, if any.
    static CliPageSize pageSizeOf(const Options& options)
    {
        if (!options.parser.isSet(options.pageSize))
            return CliPageSize::Default;
        const QString name = options.parser.value(options.pageSize);
        if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
            return CliPageSize::A4;
        if (name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
            return CliPageSize::Letter;
        throw UsageError{QStringLiteral("--page-size wants A4 or Letter, not \"%1\"").arg(name)};
    }

    const CliPages& pages() const
    {
        if (!m_context.pages)
            throw Failure{QStringLiteral("this program makes no pages: voyanta-cli-pages does")};
        return *m_context.pages;
    }

    // Pages are written to a file: a PDF on a terminal helps nobody.
    static void requirePdfOutput(const QString& command, const QString& output)
    {
        if (output.isEmpty())
            throw UsageError{
                QStringLiteral("%1: a PDF is written to a file: give --output FILE").arg(command)};
    }

    int exportTravel(const RecordKey& key, const QString& formatName, const QString& output,
                     CliPageSize pageSize)
    {
        if (formatName.isEmpty())
            throw UsageError{QStringLiteral("export: --format is missing")};
        if (formatName == QLatin1String("pdf"))
            return exportItinerary(key, output, pageSize);
        if (pageSize != CliPageSize::Default)
            throw UsageError{QStringLiteral("export: --page-size belongs to the pdf format")};
        const auto format = ExportFormatNamed(formatName);
        if (!format)
            throw UsageError{QStringLiteral("export: unknown format \"%1\"").arg(formatName)};
        const QByteArray bytes = RenderExportFile(m_store, key, *format);
        if (output.isEmpty())
            printBytes(bytes);
        else
            require(SaveDocument(output, bytes));
        return ExitSuccess;
    }

    int exportItinerary(const RecordKey& key, const QString& output, CliPageSize pageSize)
    {
        requirePdfOutput(QStringLiteral("export"), output);
        QByteArray pdf;
        QString error;
        if (!pages().itinerary(m_store, key, pageSize, pdf, &error))
            throw Failure{QStringLiteral("the itinerary could not be made: %1").arg(error)};
        require(SaveDocument(output, pdf));
        return ExitSuccess;
    }

    int printList(const QStringList& args, const QString& listName, const QString& month,
                  const QString& output, CliPageSize pageSize)
    {
        const QString command = QStringLiteral("print");
        if (listName.isEmpty())
            throw UsageError{QStringLiteral("print: --list is missing")};
        const std::optional<PrintedList> list = PrintedListNamed(listName);
        if (!list)
            throw UsageError{QStringLiteral("print: unknown list \"%1\"").arg(listName)};
        RecordKey key;
        QDate first;
        if (*list == PrintedList::Travels) {
            expectArguments(command, args, 0);
            if (month.isEmpty())
                throw UsageError{QStringLiteral("print: the travel list wants --month YYYY-MM")};
            first = firstOfMonth(month);
        } else {
            expectArguments(command, args, 1);
            if (!month.isEmpty())
                throw UsageError{QStringLiteral("print: --month belongs to the travel list")};
            key = *list == PrintedList::Stage ? existingStage(args.first())
                                              : existingTravel(args.first());
        }
        requirePdfOutput(command, output);
        QByteArray pdf;
        QString error;
        if (!pages().list(m_store, *list, key, first, pageSize, pdf, &error))
            throw Failure{QStringLiteral("the list could not be printed: %1").arg(error)};
        require(SaveDocument(output, pdf));
        return ExitSuccess;
    }

    int import(const QString& path)
    {
        QString reason;
        const auto bytes = ReadWholeFile(path, &reason);
        if (!bytes)
            throw UsageError{QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason)};
        QJsonParseError parseError;
        const QJsonDocument json = QJsonDocument::fromJson(*bytes, &parseError);
        if (json.isNull() || !json.isObject()) {
            throw UsageError{QStringLiteral("%1: not a travel document: %2")
                                 .arg(QDir::toNativeSeparators(path),
                                      json.isNull() ? parseError.errorString()
                                                    : QStringLiteral("no object at the top"))};
        }
        const ImportResult imported = ImportTravelDocument(m_store, json.object());
        if (!imported.badInput.isEmpty()) {
            throw UsageError{
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), imported.badInput)};
        }
        require(imported.outcome);
        printNewKey(imported.key);
        return ExitSuccess;
    }

    // Every file is read by the extractor before anything is written: a file it cannot
    // read, or one without a booking, ends the command with nothing imported.
    int importBookings(const QStringList& files, const QString& travelKey, bool dryRun,
                       const QString& extractor)
    {
        if (files.isEmpty())
            throw UsageError{QStringLiteral("import-booking: missing argument")};
        for (const QString& file : files) {
            if (const QString refusal = BookingExtractor::Refusal(file); !refusal.isEmpty())
                throw UsageError{refusal};
        }
        if (!travelKey.isEmpty())
            (void)existingTravel(travelKey);
        BookingExtractor::Search search;
        search.given = extractor;
        search.installed = m_context.installedExtractor;
        search.profile = BookingExtractor::ProfilePath();
        BookingExtractor::Settings settings;
        settings.program = BookingExtractor::Find(search);
        if (settings.program.isEmpty())
            throw Stop{ExitExtractorMissing, BookingExtractor::MissingMessage(search)};
        settings.timeLimitMs = m_context.extractorTimeLimitMs;
        settings.received = m_context.clock ? m_context.clock() : QDateTime::currentDateTime();
        const BookingExtractor::Result result = BookingExtractor::Extract(files, settings);
        if (result.status == BookingExtractor::Result::Failed)
            throw Failure{result.message};
        if (result.status == BookingExtractor::Result::NothingFound)
            throw Stop{ExitNoBooking, result.message};
        QList<Booking> bookings = result.bookings;
        SortBookings(bookings);
        if (dryRun) {
            for (const Booking& booking : bookings) {
                QStringList fields;
                for (const QString& text : BookingPreview(booking))
                    fields.append(field(text));
                print(fields.join(QLatin1Char('\t')) + QLatin1Char('\n'));
            }
            return ExitSuccess;
        }
        const BookingImport imported = ImportBookings(m_store, bookings, travelKey);
        require(imported.outcome);
        try {
            print(imported.travelKey + QLatin1Char('\n'));
            for (const RecordKey& key : imported.stagesMade + imported.stagesChanged)
                print(key + QLatin1Char('\n'));
            flush();
        } catch (const Failure&) {
            if (imported.travelMade) // whoever ran the command could not find it
                (void)m_store.DeleteTravel(imported.travelKey);
            throw;
        }
        return ExitSuccess;
    }

    int dump(const QString& path)
    {
        const auto kind = RecordFileKindOf(path);
        if (!kind)
            throw UsageError{QStringLiteral("%1: not a record file (its extension is unknown)")
                                 .arg(QDir::toNativeSeparators(path))};
        QString reason;
        const auto bytes = ReadWholeFile(path, &reason);
        if (!bytes)
            throw UsageError{QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason)};
        const DecodedFile decoded = DecodeRecordFile(*kind, *bytes);
        if (decoded.error) {
            throw UsageError{
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), decoded.error->cause)};
        }
        printBytes(QJsonDocument(RecordJson::fileToJson(decoded.record)).toJson());
        return ExitSuccess;
    }

    int check()
    {
        if (!QFileInfo(m_store.dataFolder().path()).isDir()) {
            throw UsageError{
                QStringLiteral("%1 holds no data folder (run init first)")
                    .arg(QDir::toNativeSeparators(m_store.dataFolder().workingDirectory()))};
        }
        const QList<LoadProblem> problems =
            CheckDataFolder(m_store.dataFolder(), m_store.imagesFolder());
        for (const LoadProblem& problem : problems)
            print(field(problem.fileName) + QLatin1Char('\t') + field(problem.cause) +
                  QLatin1Char('\n'));
        return problems.isEmpty() ? ExitSuccess : ExitProblemsFound;
    }

    // The command the profile names, else the Syncthing that shares the folder; the time
    // limit is --timeout when given, else the profile's, else 30 s.
    int sync(const QString& workingDirectory, const std::optional<QString>& timeoutText)
    {
        int limit = 30000;
        if (timeoutText) {
            bool ok = false;
            const double seconds = timeoutText->toDouble(&ok);
            if (!ok || seconds <= 0 || seconds > 24 * 3600)
                throw UsageError{QStringLiteral("--timeout takes a number of seconds")};
            limit = std::max(1, int(seconds * 1000));
        }
        if (auto command = ConfiguredSyncCommand(limit)) {
            if (timeoutText)
                command->timeLimit = limit;
            return runSyncCommand(*command);
        }
        QString reason;
        const auto setup = FindSyncthing(workingDirectory, &reason);
        if (!setup) {
            warn(QStringLiteral("voyanta-cli: %1\n").arg(reason));
            return ExitNoSyncEngine;
        }
        SyncthingSync sync(*setup);
        sync.setTimeLimit(limit);
        QObject::connect(&sync, &SyncthingSync::progress, &sync,
                         [this](const QString& text) { warn(text + QLatin1Char('\n')); });
        return waitForEnd(sync, &SyncthingSync::finished, [](SyncthingSync::Result result) {
            return result == SyncthingSync::Result::InSync     ? ExitSuccess
                   : result == SyncthingSync::Result::TimedOut ? ExitSyncTimedOut
                                                               : ExitNoSyncEngine;
        });
    }

    int runSyncCommand(const SyncCommandSetup& setup)
    {
        CommandSync command(setup);
        warn(QStringLiteral("Synchronizing with %1…\n").arg(QFileInfo(setup.program).fileName()));
        return waitForEnd(command, &CommandSync::finished, [](CommandSync::Result result) {
            switch (result) {
            case CommandSync::Result::Ended:
                return ExitSuccess;
            case CommandSync::Result::TimedOut:
                return ExitSyncTimedOut;
            case CommandSync::Result::NotStarted:
                return ExitNoSyncEngine;
            case CommandSync::Result::Failed:
                break;
            }
            return ExitFailed;
        });
    }

    // Starts a synchronisation and runs events until it ends; its message goes to standard
    // error, and the exit status is what exitFor makes of its result.
    template <typename Sync, typename Result, typename ExitFor>
    int waitForEnd(Sync& sync, void (Sync::*finished)(Result, const QString&), ExitFor exitFor)
    {
        QEventLoop loop;
        int exit = ExitSuccess;
        QObject::connect(&sync, finished, &loop, [&](Result result, const QString& message) {
            warn(message + QLatin1Char('\n'));
            exit = exitFor(result);
            loop.quit();
        });
        sync.start();
        loop.exec();
        return exit;
    }

    // Every conflict copy in the data folder and the images folder.
    QList<ConflictCopy> allConflicts() const
    {
        QList<ConflictCopy> all;
        for (const QString& place : {m_store.dataFolder().path(), m_store.imagesFolder()}) {
            if (place.isEmpty())
                continue;
            for (const QList<ConflictCopy>& copies : FindConflictCopies(place))
                all += copies;
        }
        return all;
    }

    int listConflicts(const QString& workingDirectory)
    {
        const QDir base(QFileInfo(workingDirectory).absoluteFilePath());
        const auto relative = [&](const QString& path) {
            return field(base.relativeFilePath(QFileInfo(path).absoluteFilePath()));
        };
        const QList<ConflictCopy> copies = allConflicts();
        for (const ConflictCopy& copy : copies) {
            print(relative(copy.recordPath()) + QLatin1Char('\t') + relative(copy.copyPath()) +
                  QLatin1Char('\t') + field(copy.engine) + QLatin1Char('\t') +
                  copy.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\n'));
        }
        return copies.isEmpty() ? ExitSuccess : ExitProblemsFound;
    }

    int resolve(const QString& workingDirectory, const QString& file, const QString& keepName)
    {
        const QMap<QString, KeepVersion> versions{{QStringLiteral("record"), KeepVersion::Record},
                                                  {QStringLiteral("copy"), KeepVersion::Copy},
                                                  {QStringLiteral("merge"), KeepVersion::Merge}};
        if (!versions.contains(keepName))
            throw UsageError{QStringLiteral("--keep takes record, copy or merge")};
        const KeepVersion keep = versions.value(keepName);
        // FILE names a copy, or a record file: then every copy of it, the newest first.
        const QString wanted = QFileInfo(QDir(workingDirectory), file).absoluteFilePath();
        const auto names = [&](const QString& path, const QString& name) {
            return file == name || QFileInfo(path).absoluteFilePath() == wanted;
        };
        QList<ConflictCopy> chosen;
        for (const ConflictCopy& copy : allConflicts()) {
            if (names(copy.copyPath(), copy.copyName))
                chosen = {copy};
            else if (names(copy.recordPath(), copy.recordName) &&
                     (chosen.isEmpty() || chosen.first().recordName == copy.recordName))
                chosen.append(copy);
        }
        if (chosen.isEmpty()) {
            throw UsageError{QStringLiteral("%1 is no conflict copy and has none (voyanta-cli "
                                            "conflicts lists them)")
                                 .arg(file)};
        }
        if (keep == KeepVersion::Merge && !chosen.first().recordName.endsWith(u".chk") &&
            !chosen.first().recordName.endsWith(u".exp"))
            throw UsageError{QStringLiteral("only check lists and expenses can be merged")};
        for (qsizetype i = 0; i < chosen.size(); ++i) {
            // Of several copies the newest replaces the record; the others are put aside.
            const KeepVersion step =
                keep == KeepVersion::Copy && i > 0 ? KeepVersion::Record : keep;
            require(ResolveConflict(chosen[i], step, workingDirectory));
        }
        return ExitSuccess;
    }

    QIODevice& m_out;
    QIODevice& m_err;
    QByteArray m_pending; // printed, not yet written
    const CliContext& m_context;
    TravelDataStore m_store;
};

} // namespace

bool CliPaintsPages(const QStringList& arguments)
{
    Options options;
    if (!options.parse(arguments))
        return false;
    return options.command() == QLatin1String("print") ||
           (options.command() == QLatin1String("export") &&
            options.parser.value(options.format) == QLatin1String("pdf"));
}

int RunCli(const QStringList& arguments, QIODevice& out, QIODevice& err, const CliContext& context)
{
    Command command(out, err, context);
    try {
        return command.run(arguments);
    } catch (const UsageError& error) {
        command.warn(QStringLiteral("voyanta-cli: %1\n").arg(error.message));
        if (arguments.isEmpty())
            command.warn(QString::fromLatin1(usage));
        return ExitBadUsage;
    } catch (const Failure& failure) {
        command.warn(QStringLiteral("voyanta-cli: %1\n").arg(failure.message));
        return ExitFailed;
    } catch (const Stop& stop) {
        command.warn(QStringLiteral("voyanta-cli: %1\n").arg(stop.message));
        return stop.code;
    }
}
