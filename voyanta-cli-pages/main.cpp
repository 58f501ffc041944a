#include "CliProgram.h"
#include "PdfPages.h"

#include <QGuiApplication>

// voyanta-cli hands the commands that make pages to this program, so that the others
// start without loading QtGui.
int main(int argc, char* argv[])
{
    const QStringList arguments = TakeCliArguments(argc, argv);
    // Pages need no display: the offscreen platform serves unless another one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const PdfPages pages;
    return RunCliProgram(arguments, &pages);
}
