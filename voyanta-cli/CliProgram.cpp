#include "CliProgram.h"

#include "Cli.h"
#include "ImagesFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QLatin1String category(context.category ? context.category : "");
    if (type != QtFatalMsg &&
        (category.startsWith(QLatin1String("qt.text.font")) ||
         category.startsWith(QLatin1String("qt.qpa")) ||
         message.contains(QLatin1String("OpenType support missing")) ||
         message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

#ifdef Q_OS_WIN
const QString PageProgram = QStringLiteral("voyanta-cli-pages.exe");
#else
const QString PageProgram = QStringLiteral("voyanta-cli-pages");
#endif

// Beside this program in a build and on Windows; in its own folder for programs that
// only other programs start once installed.
QStringList pageProgramPlaces()
{
    const QDir here(QCoreApplication::applicationDirPath());
    return {
        here.filePath(PageProgram),
        QDir::cleanPath(here.filePath(QStringLiteral(VOYANTA_PAGES_FROM_BIN "/") + PageProgram))};
}

int cannotStart(const QString& why)
{
    std::fputs(qPrintable(QStringLiteral("voyanta-cli: pages are made by %1, which %2; "
                                         "reinstall Voyanta\n")
                              .arg(PageProgram, why)),
               stderr);
    return ExitFailed;
}

} // namespace

QStringList TakeCliArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!arguments.removeAll(QStringLiteral("--verbose")))
        qInstallMessageHandler(quietMessages);
    return arguments;
}

int RunCliProgram(const QStringList& arguments, const CliPages* pages)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Pellingham"));
    QCoreApplication::setApplicationName(QStringLiteral("Voyanta"));
    // Written straight to the descriptors (1 and 2 on every system), so that a write
    // that fails (a full disk) is seen by the write itself, not by a
    // buffer flushed after the exit status is decided.
    QFile out;
    QFile err;
    if (!out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ExitFailed;
    CliContext context{QString(), {}, LegacyImagesFolder()};
    context.pages = pages;
    return RunCli(arguments, out, err, context);
}

int HandToPageProgram(char* argv[])
{
    const QStringList places = pageProgramPlaces();
    const auto found = std::find_if(places.cbegin(), places.cend(),
                                    [](const QString& place) { return QFile::exists(place); });
    if (found == places.cend()) {
        return cannotStart(QStringLiteral("is in none of %1")
                               .arg(QDir::toNativeSeparators(places.join(QLatin1String(", ")))));
    }
    const QString program = QDir::toNativeSeparators(*found);
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(*found);
    argv[0] = const_cast<char*>(path.constData());
    ::execv(path.constData(), argv);
    return cannotStart(
        QStringLiteral("could not be started from %1: %2").arg(program, qt_error_string(errno)));
#else
    QStringList arguments;
    for (int i = 1; argv[i]; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(*found, arguments);
    if (!process.waitForStarted(-1))
        return cannotStart(
            QStringLiteral("could not be started from %1: %2").arg(program, process.errorString()));
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : ExitFailed;
#endif
}
