#include "Cli.h"
#include "ImagesFolder.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pellingham"));
    QCoreApplication::setApplicationName(QStringLiteral("Voyanta"));
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return ExitFailed;
    return RunCli(QCoreApplication::arguments().mid(1), out, err,
                  CliContext{DefaultImagesFolder()});
}
