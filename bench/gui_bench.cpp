// Measurements of the window program, run by hand on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen voyanta-gui-bench [TRAVELS] [--screenshot FILE --workdir DIR]
//   QT_QPA_PLATFORM=offscreen voyanta-gui-bench --images   (the images view alone)
// Start-up to the first painted main window is compared with the store's Refresh of
// the same folder, measured in the same run; listing a month of 2,000 travels in the
// tree is compared with one frame (16.7 ms) per 100 travels.

#include "BenchTiming.h"
#include "DataGenerator.h"
#include "ImagesViewBench.h"
#include "MainFrame.h"
#include "Prompter.h"
#include "TravelDataStore.h"
#include "TravelListView.h"
#include "TravelTreeView.h"
#include "VoyantaApp.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Answers nothing: the bench runs on a folder it names itself.
class SilentPrompter : public DesktopPrompter {
public:
    void inform(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void notify(QWidget* parent, const QString& text) override { inform(parent, text); }
};

int screenshot(const QString& workdir, const QString& file, QDate month, bool travelList)
{
    SilentPrompter prompter;
    TravelDataStore store;
    CVoyantaApp app(prompter, store);
    app.setWorkingDirectoryOverride(workdir);
    app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
    if (!app.startUp())
        return 1;
    CMainFrame* frame = app.mainFrame();
    frame->showNormal();
    frame->resize(1100, 700);
    frame->monthPicker()->setDate(month);
    CTravelTreeView* tree = frame->tree();
    QTreeWidgetItem* travel = tree->root()->child(0);
    if (travel) {
        tree->expandItem(travel);
        tree->expandItem(travel->child(2));
        tree->setCurrentItem(travelList ? tree->root() : travel);
    }
    QApplication::processEvents();
    return frame->grab().save(file) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--screenshot")); at > 0) {
        const QString workdir = arguments.value(arguments.indexOf(QStringLiteral("--workdir")) + 1);
        const QDate month =
            QDate::fromString(arguments.value(arguments.indexOf(QStringLiteral("--month")) + 1),
                              QStringLiteral("yyyy-MM"));
        return screenshot(workdir, arguments.value(at + 1),
                          month.isValid() ? month : QDate::currentDate(),
                          arguments.contains(QStringLiteral("--travel-list")));
    }
    if (arguments.contains(QStringLiteral("--images")))
        return RunImagesViewBench();
    const int travelCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    GenerateDataFolder(dir.path(), travelCount);

    // Start-up to the first painted window against the store's Refresh alone.
    TravelDataStore warm;
    warm.setWorkingDirectory(dir.path());
    (void)warm.Refresh(); // warms the file cache for both measurements
    const double refresh = Seconds([&] {
        TravelDataStore store;
        store.setWorkingDirectory(dir.path());
        (void)store.Refresh();
    });
    double startUp = 0;
    {
        SilentPrompter prompter;
        TravelDataStore store;
        CVoyantaApp app(prompter, store);
        app.setWorkingDirectoryOverride(dir.path());
        startUp = Seconds([&] {
            if (!app.startUp())
                qFatal("start-up failed");
            app.mainFrame()->grab(); // paints the whole window once
        });
    }
    std::printf("%-52s %8.4f s  baseline %8.4f s  ratio %5.2f  (target <= 1.5)\n",
                "start-up to the first painted window vs Refresh", startUp, refresh,
                startUp / refresh);

    // A month of 2,000 travels in the tree.
    QTemporaryDir monthDir;
    TravelDataStore month;
    month.setWorkingDirectory(monthDir.path());
    (void)month.Refresh();
    AddTravelsInOneMonth(month, 2000, false);
    CTravelTreeView tree(month);
    tree.setMonth(QDate(2031, 5, 1));
    tree.resize(300, 800);
    tree.show();
    const double listing = Seconds([&] {
        tree.refresh();
        QApplication::processEvents();
    });
    const double perHundred = listing / 20.0 * 1000.0;
    std::printf("%-52s %8.2f ms per 100 travels  budget 16.70 ms  ratio %5.2f\n",
                "listing a month of 2,000 travels in the tree", perHundred, perHundred / 16.7);

    // The travel list filled with the same month and sorted by each column.
    CTravelListView travelList(month);
    travelList.resize(900, 600);
    TreeSelection selection;
    selection.month = QDate(2031, 5, 1);
    const double walk =
        Seconds([&] {
            for (int i = 0; i < 10; ++i)
                (void)month.TravelsStartingInUnsorted(DateTimeValue::fromDate(selection.month));
        }) /
        10;
    const double fill = Seconds([&] { travelList.load(selection); });
    std::printf("%-52s %8.2f ms  baseline %8.2f ms (month walk)  ratio %6.1f\n",
                "filling the travel list with 2,000 travels", fill * 1000, walk * 1000,
                fill / walk);
    for (int code = 0; code < 10; ++code) {
        const double sorting = Seconds([&] { travelList.sort(code); });
        std::printf("  sort code %d: %8.2f ms  ratio to the month walk %6.1f\n", code,
                    sorting * 1000, sorting / walk);
    }
    return 0;
}
