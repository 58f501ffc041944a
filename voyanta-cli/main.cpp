#include "Cli.h"
#include "ImagesFolder.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
    return RunCli(QCoreApplication::arguments().mid(1), out, err,
                  CliContext{DefaultImagesFolder()});
}
