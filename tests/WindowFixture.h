#pragma once

#include "MainFrame.h"
#include "ScriptedPrompter.h"
#include "TravelDataStore.h"
#include "VoyantaApp.h"

#include <QDateEdit>
#include <QSettings>
#include <QTemporaryDir>

// One run of the window program for a test: a temporary folder, an emptied profile, a
// prompter that answers from the test's script, the store and the application.
struct WindowFixture {
    WindowFixture()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        app.setImagesFolder(dir.filePath(QStringLiteral("Travel Images")));
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
    TravelDataStore store;
    CVoyantaApp app{prompter, store};
};
