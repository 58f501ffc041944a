#include "Cli.h"
#include "CliProgram.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    const QStringList arguments = TakeCliArguments(argc, argv);
    QCoreApplication app(argc, argv);
    if (CliPaintsPages(arguments))
        return HandToPageProgram(argv);
    return RunCliProgram(arguments, nullptr);
}
