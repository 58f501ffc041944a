#include "Bitmaps.h"
#include "Prompter.h"
#include "TravelDataStore.h"
#include "VoyantaApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellingham"));
    QApplication::setApplicationName(QStringLiteral("Voyanta"));
    QApplication::setApplicationVersion(QStringLiteral(VOYANTA_VERSION));
    // Every window and dialog carries the icon; the desktop entry names the program.
    QApplication::setWindowIcon(LoadApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("net.pellingham.Voyanta"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Voyanta, a travel planner"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption workdir(
        QStringLiteral("workdir"),
        QStringLiteral("Work on DIR for this run, leaving the kept working directory as it is."),
        QStringLiteral("DIR"));
    const QCommandLineOption locale(QStringLiteral("locale"),
                                    QStringLiteral("Show dates and amounts as NAME does (de_DE)."),
                                    QStringLiteral("NAME"));
    parser.addOptions({workdir, locale});
    parser.process(application);

    DesktopPrompter prompter;
    TravelDataStore store;
    CVoyantaApp app(prompter, store);
    if (parser.isSet(workdir))
        app.setWorkingDirectoryOverride(parser.value(workdir));
    if (parser.isSet(locale)) {
        // The date editors of the dialogs follow the locale the lists show.
        QLocale::setDefault(QLocale(parser.value(locale)));
        app.setDisplayFormats(DisplayFormats(QLocale()));
    }
    if (!app.startUp())
        return 0;
    return application.exec();
}
