#include "Cli.h"
#include "ImagesFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include <memory>

namespace {

// What Qt says of fonts and of the session while pages are made (a script without a
// font, a missing runtime folder) is not the command's output: it is kept off standard
// error unless --verbose asks for it.
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

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!arguments.removeAll(QStringLiteral("--verbose")))
        qInstallMessageHandler(quietMessages);
    // Commands that make pages draw text with QtGui; they need no display, so the
    // offscreen platform serves unless another one is asked for. The others stay on
    // QtCore, which starts faster and lighter.
    std::unique_ptr<QCoreApplication> app;
    if (CliPaintsPages(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
    return RunCli(arguments, out, err, CliContext{QString(), {}, LegacyImagesFolder()});
}
