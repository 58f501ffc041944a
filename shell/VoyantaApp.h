#pragma once

#include "DisplayFormats.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class CMainFrame;
struct LegacyPictures;
class Prompter;
class TravelDataStore;

// The application: settles the working directory, creates the main window and tears
// the program down; keeps the working directory, the images folder and the display
// formats for every other part.
class CVoyantaApp : public QObject {
    Q_OBJECT

public:
    CVoyantaApp(Prompter& prompter, TravelDataStore& store, QObject* parent = nullptr);
    ~CVoyantaApp() override;

    // Runs the program on this folder without reading or writing the profile's one.
    void setWorkingDirectoryOverride(const QString& folder) { m_override = folder; }
    // Keeps the pictures in this folder instead of the working directory's own.
    void setImagesFolder(const QString& folder) { m_imagesFolder = folder; }
    // The per-machine folder of earlier versions that working directories without their
    // own images folder get their pictures from (LegacyImagesFolder unless set; empty:
    // none).
    void setLegacyImagesFolder(const QString& folder) { m_legacyImagesFolder = folder; }
    const QString& legacyImagesFolder() const { return m_legacyImagesFolder; }
    void setDisplayFormats(const DisplayFormats& formats);

    // Settles the working directory, creates and shows the main window. False when the
    // user gave no working directory: the program ends without a window.
    bool startUp();
    CMainFrame* mainFrame() const;

    const QString& workingDirectory() const { return m_workingDirectory; }
    void setWorkingDirectory(const QString& folder) { m_workingDirectory = folder; }
    QString readWorkingDirectory() const;
    void writeWorkingDirectory() const;
    // Writes the working directory to the profile if the main window exists.
    void saveWorkingDirectoryIfRunning() const;
    // Runs the Working Directory dialog; on OK makes its folder the working directory
    // and creates the data folder under it.
    bool chooseWorkingDirectory();
    // Points the store at the working directory and its images folder.
    void applyWorkingDirectory();
    // Once the store has loaded the working directory: gives it its images folder, with
    // copies of its travels' pictures from the legacy folder when it had none.
    LegacyPictures adoptLegacyPictures();

    const QString& imagesFolder() const;
    const DisplayFormats& displayFormats() const;
    // Opens the user guide beside the program.
    void openHelp() const;
    static QString helpFile();

    Prompter& prompter() const { return m_prompter; }
    TravelDataStore& store() const { return m_store; }

private:
    Prompter& m_prompter;
    TravelDataStore& m_store;
    std::optional<QString> m_override;
    QString m_workingDirectory;
    QString m_imagesFolder;
    QString m_legacyImagesFolder;
    QPointer<CMainFrame> m_frame;
};
