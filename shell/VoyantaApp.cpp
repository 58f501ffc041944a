#include "VoyantaApp.h"

#include "CommandIds.h"
#include "DataFolder.h"
#include "HelpWindow.h"
#include "ImagesFolder.h"
#include "MainFrame.h"
#include "Prompter.h"
#include "StringTable.h"
#include "TravelDataStore.h"
#include "WorkingDirectoryDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString profileKey = QStringLiteral("Directory/Path");

QSettings profile()
{
    return QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
}

} // namespace

CVoyantaApp::CVoyantaApp(Prompter& prompter, TravelDataStore& store, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_store(store),
      m_legacyImagesFolder(LegacyImagesFolder())
{
}

CVoyantaApp::~CVoyantaApp()
{
    delete m_frame;
}

void CVoyantaApp::setDisplayFormats(const DisplayFormats& formats)
{
    m_store.setDisplayFormats(formats);
}

const DisplayFormats& CVoyantaApp::displayFormats() const
{
    return m_store.displayFormats();
}

QString CVoyantaApp::readWorkingDirectory() const
{
    return profile().value(profileKey).toString();
}

void CVoyantaApp::writeWorkingDirectory() const
{
    if (m_override)
        return;
    QSettings settings = profile();
    settings.setValue(profileKey, m_workingDirectory);
}

void CVoyantaApp::saveWorkingDirectoryIfRunning() const
{
    if (m_frame)
        writeWorkingDirectory();
}

bool CVoyantaApp::chooseWorkingDirectory()
{
    CWorkingDirectoryDlg dialog(
        m_prompter, m_workingDirectory,
        [this](const QString& folder) { m_workingDirectory = folder; }, [this] { openHelp(); },
        m_frame);
    if (m_prompter.run(&dialog) != QDialog::Accepted) {
        m_workingDirectory.clear();
        return false;
    }
    m_workingDirectory = QDir::fromNativeSeparators(dialog.path());
    QDir(m_workingDirectory).mkdir(DataFolder::folderName());
    return true;
}

bool CVoyantaApp::startUp()
{
    m_workingDirectory = m_override ? *m_override : readWorkingDirectory();
    if (!m_workingDirectory.isEmpty() && !QFileInfo::exists(m_workingDirectory)) {
        m_prompter.inform(nullptr, ResourceText(Str::WorkingDirectoryMissing));
        if (!chooseWorkingDirectory())
            return false;
    } else if (m_workingDirectory.isEmpty()) {
        if (!chooseWorkingDirectory())
            return false;
    }
    applyWorkingDirectory();
    m_frame = new CMainFrame(*this);
    m_frame->showMaximized();
    return true;
}

void CVoyantaApp::applyWorkingDirectory()
{
    m_store.setWorkingDirectory(m_workingDirectory);
    if (!m_imagesFolder.isEmpty())
        m_store.setImagesFolder(m_imagesFolder);
}

LegacyPictures CVoyantaApp::adoptLegacyPictures()
{
    LegacyPictures copied = m_store.CopyLegacyPictures(m_legacyImagesFolder);
    // Made now when there was nothing to copy: the folder says that the working
    // directory has its pictures, and the legacy folder is not looked at again.
    QDir().mkpath(m_store.imagesFolder());
    return copied;
}

const QString& CVoyantaApp::imagesFolder() const
{
    return m_store.imagesFolder();
}

QString CVoyantaApp::helpFile()
{
    // Beside the program (the build tree, a portable copy, Windows), else in the data
    // folder of an installed program.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programFolder.filePath(QStringLiteral("VoyantaHelp.chm")),
          programFolder.filePath(QStringLiteral("VoyantaHelp.html")),
          programFolder.filePath(QStringLiteral("../share/voyanta/VoyantaHelp.html"))}) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return programFolder.filePath(QStringLiteral("VoyantaHelp.html"));
}

void CVoyantaApp::openHelp() const
{
    const QString guide = helpFile();
    if (m_prompter.openFile(guide))
        return;
    // No program of the desktop opens it (no xdg-open, say): the program's own window does.
    auto* window = new CHelpWindow(guide, m_frame);
    window->show();
}

CMainFrame* CVoyantaApp::mainFrame() const
{
    return m_frame;
}
