// Takes the user guide's pictures of every view from a working directory (the sample):
//   voyanta-screenshots WORKDIR MONTH(YYYY-MM) OUTPUT_FOLDER
// run offscreen by scripts/make-screenshots.sh. It shows the main window at a fixed size,
// selects the first travel of the month and each of its nodes, and saves each view.
#include "MainFrame.h"
#include "Prompter.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "UpperView.h"
#include "VoyantaApp.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

namespace {

// Nothing is asked while the pictures are taken: every question is answered with its
// cancel, so no window but the main one ever shows.
class SilentPrompter : public Prompter {
public:
    void inform(QWidget*, const QString& text) override { QTextStream(stderr) << text << '\n'; }
    void notify(QWidget*, const QString& text) override { QTextStream(stderr) << text << '\n'; }
    bool ask(QWidget*, const QString&) override { return false; }
    int choose(QWidget*, const QString&, const QStringList& buttons) override
    {
        return int(buttons.size()) - 1;
    }
    int run(QDialog*) override { return 0; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList openFileNames(QWidget*, const QString&, const QString&) override { return {}; }
    bool openFile(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void previewPrint(QWidget*, QPrinter&, const std::function<void(QPrinter*)>&) override {}
};

// Lets the window lay itself out and the pictures arrive from their loading threads.
void settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 400) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: voyanta-screenshots WORKDIR YYYY-MM OUTPUT_FOLDER\n";
        return 2;
    }
    const QString workdir = QString::fromLocal8Bit(argv[1]);
    const QDate month = QDate::fromString(QString::fromLocal8Bit(argv[2]) + QStringLiteral("-01"),
                                          QStringLiteral("yyyy-MM-dd"));
    const QDir output(QString::fromLocal8Bit(argv[3]));
    if (!month.isValid() || !output.exists()) {
        err << "voyanta-screenshots: give a month as YYYY-MM and an existing output folder\n";
        return 2;
    }
    SilentPrompter prompter;
    TravelDataStore store;
    CVoyantaApp app(prompter, store);
    app.setWorkingDirectoryOverride(workdir);
    // The pictures are the sample folder's own; nothing of this machine's joins them.
    app.setLegacyImagesFolder(QString());
    app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
    if (!app.startUp())
        return 1;
    CMainFrame* frame = app.mainFrame();
    frame->showNormal();
    frame->resize(1280, 860);
    frame->monthPicker()->setDate(month.addDays(5));
    settle();
    CTravelTreeView* tree = frame->tree();
    const QModelIndex first = tree->model()->index(0, 0, tree->monthNode());
    if (!first.isValid()) {
        err << "voyanta-screenshots: no travel starts in that month\n";
        return 1;
    }
    const RecordKey travel = TravelTreeModel::keyOf(first);
    const auto shoot = [&](const QString& name) {
        settle();
        const QString path = output.filePath(name + QStringLiteral(".png"));
        if (!frame->grab().save(path)) {
            err << "voyanta-screenshots: cannot write " << path << '\n';
            return false;
        }
        QTextStream(stdout) << path << '\n';
        return true;
    };
    bool ok = shoot(QStringLiteral("view-travel-list"));
    tree->selectPath(travel, TreeChild::None, {});
    ok = ok && shoot(QStringLiteral("view-travel-detail"));
    tree->selectPath(travel, TreeChild::CheckList, {});
    ok = ok && shoot(QStringLiteral("view-check-list"));
    tree->selectPath(travel, TreeChild::Expenses, {});
    ok = ok && shoot(QStringLiteral("view-expenses"));
    tree->selectPath(travel, TreeChild::Stages, {});
    ok = ok && shoot(QStringLiteral("view-stage-list"));
    const QModelIndex stages = tree->currentIndex();
    if (tree->model()->hasChildren(stages)) {
        tree->expand(stages);
        tree->setCurrentIndex(tree->model()->index(0, 0, stages));
        ok = ok && shoot(QStringLiteral("view-stage-detail"));
    }
    frame->close();
    return ok ? 0 : 1;
}
