#include "BookingExtractor.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>

#include <optional>
#include <utility>

namespace BookingExtractor {

namespace {

const char programName[] = "kitinerary-extractor";

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString nameOf(const QString& file)
{
    return QDir::toNativeSeparators(file);
}

// The last line the program wrote to its standard error, which says why it failed.
QString lastLine(const QByteArray& errors)
{
    const QList<QByteArray> lines = errors.trimmed().split('\n');
    return QString::fromLocal8Bit(lines.last().trimmed()).left(300);
}

} // namespace

QString InstalledPath()
{
    return QStringLiteral("/usr/lib/x86_64-linux-gnu/libexec/kf5/") + QLatin1String(programName);
}

QString ProfilePath()
{
    return QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
        .value(QStringLiteral("Bookings/Extractor"))
        .toString();
}

QString Find(const Search& search)
{
    if (!search.given.isEmpty())
        return isProgram(search.given) ? search.given : QString();
    for (const QString& path : {search.installed, search.profile}) {
        if (!path.isEmpty() && isProgram(path))
            return path;
    }
    return QStandardPaths::findExecutable(QLatin1String(programName));
}

QString MissingMessage(const Search& search)
{
    if (!search.given.isEmpty()) {
        return QStringLiteral("the booking extractor %1 is not a program that can be run; "
                              "install the Debian package %2 or name its %3")
            .arg(nameOf(search.given), QLatin1String(PackageName), QLatin1String(programName));
    }
    return QStringLiteral("the booking extractor %1 is not installed: install the Debian "
                          "package %2 (apt-get install %2)")
        .arg(QLatin1String(programName), QLatin1String(PackageName));
}

QString Refusal(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("%1: no such file").arg(nameOf(path));
    if (!info.isFile())
        return QStringLiteral("%1: not a plain file").arg(nameOf(path));
    if (info.size() > MaxFileSize) {
        return QStringLiteral("%1: larger than %2 MB, which no booking is")
            .arg(nameOf(path))
            .arg(MaxFileSize / (1024 * 1024));
    }
    if (!info.isReadable())
        return QStringLiteral("%1: cannot be read").arg(nameOf(path));
    return {};
}

QStringList ArgumentsFor(const QString& file, const Settings& settings)
{
    QStringList arguments{QStringLiteral("-o"), QStringLiteral("JsonLd")};
    if (settings.received.isValid())
        arguments << QStringLiteral("-c") << settings.received.toString(Qt::ISODate);
    // An absolute path never begins with "-", so no file name reads as an option.
    arguments << QFileInfo(file).absoluteFilePath();
    return arguments;
}

Result Interpret(const QString& file, const RunEnd& end, int timeLimitMs)
{
    Result result;
    result.status = Result::Failed;
    const QString name = nameOf(file);
    if (!end.started) {
        result.message = QStringLiteral("%1: the booking extractor could not be started: %2")
                             .arg(name, end.startError);
    } else if (end.timedOut) {
        result.message = QStringLiteral("%1: the booking extractor took longer than %2 s and "
                                        "was stopped")
                             .arg(name)
                             .arg(timeLimitMs / 1000.0);
    } else if (end.crashed) {
        result.message = QStringLiteral("%1: the booking extractor crashed").arg(name);
    } else if (end.exitCode != 0) {
        result.message = QStringLiteral("%1: the booking extractor failed (exit status %2)")
                             .arg(name)
                             .arg(end.exitCode);
        if (!end.errors.trimmed().isEmpty())
            result.message += QStringLiteral(": ") + lastLine(end.errors);
    } else {
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(end.output, &error);
        if (json.isNull()) {
            result.message =
                QStringLiteral("%1: the booking extractor printed something other than JSON (%2)")
                    .arg(name, error.errorString());
            return result;
        }
        result.bookings = BookingsFromJsonLd(
            json.isArray() ? json.array() : QJsonArray{QJsonValue(json.object())});
        result.status = result.bookings.isEmpty() ? Result::NothingFound : Result::Found;
        if (result.bookings.isEmpty())
            result.message = QStringLiteral("No booking found in %1").arg(name);
    }
    return result;
}

Result Extract(const QStringList& files, const Settings& settings)
{
    Job job(files, settings);
    QEventLoop loop;
    std::optional<Result> result;
    QObject::connect(&job, &Job::finished, &loop, [&](const Result& end) {
        result = end;
        loop.quit();
    });
    job.start();
    if (!result) // it may end before start() returns: a program that cannot be started
        loop.exec();
    return *result;
}

Job::Job(QStringList files, Settings settings, QObject* parent)
    : QObject(parent), m_files(std::move(files)), m_settings(std::move(settings))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        RunEnd end;
        end.timedOut = true;
        finishProcess(end);
    });
}

Job::~Job()
{
    cancel();
}

void Job::start()
{
    m_next = 0;
    m_result = Result{};
    startNext();
}

void Job::cancel()
{
    m_timer.stop();
    if (!m_process)
        return;
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished();
    }
    // Possibly from within one of its own signals: deleted once that returns.
    process->deleteLater();
}

void Job::startNext()
{
    if (m_next >= m_files.size()) {
        emit finished(m_result);
        return;
    }
    QProcess* process = new QProcess(this);
    m_process = process;
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                RunEnd end;
                end.crashed = status == QProcess::CrashExit;
                end.exitCode = exitCode;
                end.output = process->readAllStandardOutput();
                end.errors = process->readAllStandardError();
                finishProcess(end);
            });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // the end of the others comes with finished
        RunEnd end;
        end.started = false;
        end.startError = process->errorString();
        finishProcess(end);
    });
    m_timer.start(m_settings.timeLimitMs);
    process->start(m_settings.program, ArgumentsFor(m_files.at(m_next), m_settings),
                   QIODevice::ReadOnly);
}

void Job::finishProcess(const RunEnd& end)
{
    const QString file = m_files.at(m_next);
    cancel(); // the process is done with, or stopped when it ran out of time
    Result result = Interpret(file, end, m_settings.timeLimitMs);
    if (result.status != Result::Found) {
        emit finished(result);
        return;
    }
    m_result.bookings += result.bookings;
    ++m_next;
    startNext();
}

} // namespace BookingExtractor
