#pragma once

#include "CommandIds.h"
#include "MainFrame.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "VoyantaApp.h"
#include "WorkingDirectoryDialog.h"

#include <QAction>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// Adds a travel with a title and nothing else; its key, or an empty one when it failed.
inline RecordKey addTitledTravel(TravelDataStore& store, const DateTimeValue& start,
                                 const QString& title)
{
    TravelRecord travel(start);
    travel.title = title;
    return store.AddTravel(travel).key;
}

// The texts of a tree node's listed children, in their order, joined by "|".
inline QString childCaptions(const QModelIndex& node)
{
    QStringList captions;
    for (int row = 0; node.isValid() && row < node.model()->rowCount(node); ++row)
        captions.append(node.model()->index(row, 0, node).data().toString());
    return captions.join(QLatin1Char('|'));
}

// How many travels the tree lists under its month.
inline int listedTravels(const CTravelTreeView* tree)
{
    return tree->model()->rowCount(tree->monthNode());
}

// The text of the tree's current node.
inline QString currentCaption(const CTravelTreeView* tree)
{
    return tree->currentIndex().data().toString();
}

// A left click in the middle of a header's section.
inline void clickSection(QHeaderView* header, int section)
{
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
}

// The middle of a cell of a list.
inline QPoint cellCentre(const QAbstractItemView* list, int row, int column = 0)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

// A click, then a double click, in the middle of a cell.
inline void doubleClickCell(QAbstractItemView* list, int row, int column = 0)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, column));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, column));
}

// Answers a stage's dialog with a title.
inline std::function<int(QDialog*)> titleAnswer(const QString& title)
{
    return [=](QDialog* dialog) {
        control<QLineEdit>(dialog, Control::Title)->setText(title);
        return pressButton(Control::Ok)(dialog);
    };
}

// The names a store lists while it loads a category file.
struct CategoryNames : CategoryDropDown {
    QStringList names;
    void clear() override { names.clear(); }
    void append(const QString& name, int) override { names.append(name); }
};

// A travel's category file as another program reads it: one line per category, its name,
// then "|title=file name" of each picture.
inline QStringList readCategoryFile(const QString& imagesFolder, const RecordKey& travelKey)
{
    TravelDataStore reader;
    reader.setImagesFolder(imagesFolder);
    CategoryNames names;
    ImageLinkMap links;
    reader.LoadCategories(travelKey, &names, links);
    QStringList lines;
    for (int number = 1; number <= names.names.size(); ++number) {
        QString line = names.names[number - 1];
        for (LinkKey key : CategoryLinkKeys(links, number))
            line += QLatin1Char('|') + links[key].displayTitle + QLatin1Char('=') +
                    QFileInfo(links[key].picturePath).fileName();
        lines.append(line);
    }
    return lines;
}

// Starts the program on a folder without the profile's working directory and shows a
// month; null when it did not start.
inline CMainFrame* startProgramOn(CVoyantaApp& app, const QString& folder, QDate month)
{
    app.setWorkingDirectoryOverride(folder);
    if (!app.startUp())
        return nullptr;
    app.mainFrame()->monthPicker()->setDate(month);
    return app.mainFrame();
}

// One run of the window program for a test: a temporary folder, an emptied profile, a
// prompter that answers from the test's script, the store and the application. Keys are
// made from a test clock that stands still: no test waits for a real second.
struct WindowFixture {
    WindowFixture()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        // No pictures of this machine's earlier versions join the test's folders.
        app.setLegacyImagesFolder(QString());
        useTestClock(store);
    }

    // Makes a store's keys from the fixture's clock.
    void useTestClock(TravelDataStore& target) { target.setClock(clock.function()); }

    // A second store on the fixture's folder, to prepare records before the window
    // starts or to change them behind its back.
    std::unique_ptr<TravelDataStore> seed()
    {
        auto data = std::make_unique<TravelDataStore>();
        return openStore(*data, dir.path(), &clock) ? std::move(data) : nullptr;
    }

    // A folder inside the temporary one, made if missing.
    QString folder(const QString& name) const
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }

    // Starts the program on the temporary folder for this run and shows a month.
    CMainFrame* startOnFolder(QDate month) { return startProgramOn(app, dir.path(), month); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TestClock clock;
    TravelDataStore store;
    CVoyantaApp app{prompter, store};
};

// The program started again on the folders of an earlier run, as a user starts it after
// closing it: a store, prompter and application of its own on the same working directory;
// the profile and the test clock stay. The earlier run must outlive it.
struct WindowRestart {
    explicit WindowRestart(WindowFixture& earlier) : folder(earlier.dir.path())
    {
        app.setLegacyImagesFolder(earlier.app.legacyImagesFolder());
        earlier.useTestClock(store);
    }

    CMainFrame* startOnFolder(QDate month) { return startProgramOn(app, folder, month); }

    QString folder;
    ScriptedPrompter prompter;
    TravelDataStore store;
    CVoyantaApp app{prompter, store};
};

// The base of a test of the window: each test function gets a fresh run, seeded through a
// store on its folder, then the window started on it; the run ends with no prompt unanswered.
class WindowTest : public QObject {
protected:
    // A fresh run whose folder the function fills before the window starts.
    void seedRun(const std::function<void(TravelDataStore*)>& fill)
    {
        m_run = std::make_unique<WindowFixture>();
        const std::unique_ptr<TravelDataStore> data = m_run->seed();
        QVERIFY(data);
        fill(data.get());
    }

    // Starts the window on the run's folder and shows a month.
    void startWindow(QDate month)
    {
        m_frame = m_run->startOnFolder(month);
        QVERIFY(m_frame);
    }

    void endRun()
    {
        QVERIFY2(prompter().unexpected.isEmpty(), qPrintable(prompter().unexpected.join(u',')));
        m_run.reset();
    }

    ScriptedPrompter& prompter() { return m_run->prompter; }
    TravelDataStore& store() { return m_run->store; }
    CTravelTreeView* tree() const { return m_frame->tree(); }
    // Triggers a command of the window; it must be enabled.
    void trigger(int command)
    {
        QAction* action = m_frame->action(command);
        QVERIFY2(action->isEnabled(), qPrintable(QString::number(command)));
        action->trigger();
    }
    // Chooses a working directory as a user does: Browse picks it, then OK.
    void chooseWorkingDirectory(const QString& folder)
    {
        prompter().directories = {folder};
        prompter().dialogs = {[](QDialog* dialog) {
            static_cast<CWorkingDirectoryDlg*>(dialog)->browse();
            return pressButton(Control::Ok)(dialog);
        }};
        trigger(Cmd::WorkingDirectory);
    }
    // A list's file in the store's data folder.
    QString dataFile(const QString& name) { return store().dataFolder().filePath(name); }
    // The upper view, when it is of that kind.
    template <typename View> View* upper() const
    {
        return qobject_cast<View*>(m_frame->upperView());
    }

    std::unique_ptr<WindowFixture> m_run;
    CMainFrame* m_frame = nullptr;
};
