#pragma once

#include "MainFrame.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "VoyantaApp.h"

#include <QDateEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// One run of the window program for a test: a temporary folder, an emptied profile, a
// prompter that answers from the test's script, the store and the application. Keys are
// made from a test clock that stands still: no test waits for a real second.
struct WindowFixture {
    WindowFixture()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        app.setImagesFolder(dir.filePath(QStringLiteral("Travel Images")));
        useTestClock(store);
    }

    // Makes a store's keys from the fixture's clock.
    void useTestClock(TravelDataStore& target) { target.setClock(clock.function()); }

    // A second store on the fixture's folder, to prepare records before the window
    // starts or to change them behind its back.
    std::unique_ptr<TravelDataStore> seed()
    {
        auto data = std::make_unique<TravelDataStore>();
        useTestClock(*data);
        data->setWorkingDirectory(dir.path());
        if (!data->Refresh().ok())
            return nullptr;
        return data;
    }

    // A folder inside the temporary one, made if missing.
    QString folder(const QString& name) const
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }

    // Starts the program on the temporary folder for this run and shows a month.
    CMainFrame* startOnFolder(QDate month)
    {
        app.setWorkingDirectoryOverride(dir.path());
        if (!app.startUp())
            return nullptr;
        app.mainFrame()->monthPicker()->setDate(month);
        return app.mainFrame();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TestClock clock;
    TravelDataStore store;
    CVoyantaApp app{prompter, store};
};
