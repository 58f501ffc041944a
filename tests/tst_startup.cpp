#include "DataFolder.h"
#include "StringTable.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStatusBar>

namespace {

QVariant profileValue()
{
    return QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
        .value(QStringLiteral("Directory/Path"));
}

void setProfile(const QString& path)
{
    QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
        .setValue(QStringLiteral("Directory/Path"), path);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;

    QString folder(const QString& name) const { return m_run->folder(name); }

private slots:
    void init() { m_run = std::make_unique<WindowFixture>(); }

    void cleanup() { m_run.reset(); }

    void firstRunCancelledLeavesNoWindowAndNoProfile()
    {
        m_run->prompter.dialogs.append(pressButton(Control::Cancel));
        QVERIFY(!m_run->app.startUp());
        QVERIFY(!m_run->app.mainFrame());
        QVERIFY(!profileValue().isValid());
        QVERIFY(m_run->prompter.informed.isEmpty());
        QVERIFY(m_run->prompter.unexpected.isEmpty());
    }

    void aDeletedFolderIsReportedThenReplaced()
    {
        setProfile(m_run->dir.filePath(QStringLiteral("gone")));
        const QString chosen = folder(QStringLiteral("Trips"));
        m_run->prompter.directories.append(chosen);
        m_run->prompter.dialogs.append([](QDialog* dialog) {
            static_cast<CWorkingDirectoryDlg*>(dialog)->browse();
            return pressButton(Control::Ok)(dialog);
        });
        QVERIFY(m_run->app.startUp());
        QCOMPARE(m_run->prompter.informed, QStringList{ResourceText(61516)});
        QCOMPARE(m_run->app.workingDirectory(), chosen);
        QVERIFY(QFileInfo(QDir(chosen).filePath(QStringLiteral("Voyanta Files"))).isDir());
        QVERIFY(m_run->app.mainFrame()->isVisible());
        // Not written before the window goes.
        QCOMPARE(profileValue().toString(), m_run->dir.filePath(QStringLiteral("gone")));
        m_run->app.mainFrame()->close();
        QCOMPARE(profileValue().toString(), chosen);
        QVERIFY(m_run->prompter.unexpected.isEmpty());
    }

    void anExistingFolderStartsSilently()
    {
        const QString existing = folder(QStringLiteral("Plain"));
        setProfile(existing);
        QVERIFY(m_run->app.startUp());
        QVERIFY(m_run->prompter.informed.isEmpty());
        QVERIFY(m_run->prompter.unexpected.isEmpty());
        QVERIFY(QFileInfo(QDir(existing).filePath(QStringLiteral("Voyanta Files"))).isDir());
        QCOMPARE(m_run->app.imagesFolder(),
                 QDir(existing).filePath(QStringLiteral("Travel Images")));
        QVERIFY(QFileInfo(m_run->app.imagesFolder()).isDir());
    }

    void picturesOfEarlierVersionsAreCopiedAndTheUserIsTold()
    {
        const auto data = m_run->seed();
        QVERIFY(data);
        const RecordKey copied = addTitledTravel(*data, at(2006, 3, 10), QStringLiteral("a"));
        m_run->clock.advance();
        const RecordKey stuck = addTitledTravel(*data, at(2006, 3, 11), QStringLiteral("b"));
        const QString legacy = folder(QStringLiteral("Legacy"));
        QVERIFY(writeFile(QDir(legacy).filePath(DataFolder::imageCategoryFileName(copied)), "a"));
        QVERIFY(QDir(legacy).mkdir(DataFolder::imageCategoryFileName(stuck)));
        m_run->app.setLegacyImagesFolder(legacy);

        CMainFrame* frame = m_run->startOnFolder(QDate(2006, 3, 1));
        QVERIFY(frame);
        const QString from = QDir::toNativeSeparators(legacy);
        QCOMPARE(frame->statusBar()->currentMessage(),
                 QStringLiteral("Copied the pictures of 1 travel from %1 into this working "
                                "directory")
                     .arg(from));
        QCOMPARE(m_run->prompter.informed.size(), 1);
        QVERIFY2(
            m_run->prompter.informed.first().startsWith(
                QStringLiteral("The pictures of 1 travel could not be copied from %1").arg(from)),
            qPrintable(m_run->prompter.informed.first()));
        QCOMPARE(readFile(m_run->store.imageCategoryFile(copied)), QByteArray("a"));
        // Once: a refresh finds the working directory's own folder.
        frame->refresh();
        QCOMPARE(m_run->prompter.informed.size(), 1);
    }

    void anOverrideIsNeverWrittenToTheProfile()
    {
        const QString kept = folder(QStringLiteral("Kept"));
        setProfile(kept);
        m_run->app.setWorkingDirectoryOverride(folder(QStringLiteral("JustThisRun")));
        QVERIFY(m_run->app.startUp());
        QCOMPARE(m_run->store.dataFolder().workingDirectory(),
                 m_run->dir.filePath(QStringLiteral("JustThisRun")));
        m_run->app.mainFrame()->close();
        QCOMPARE(profileValue().toString(), kept);
    }

    void workingDirectoryDialog()
    {
        const QString outer = folder(QStringLiteral("Outer"));
        folder(QStringLiteral("Outer/Voyanta Files"));
        folder(QStringLiteral("Other/voyanta files"));
        QString current = QStringLiteral("/start");
        CWorkingDirectoryDlg dialog(m_run->prompter, current,
                                    [&](const QString& f) { current = f; }, {});
        auto* path = control<QLineEdit>(&dialog, Control::WorkingDirectoryPath);
        // It opens on the folder in use.
        QCOMPARE(path->text(), QDir::toNativeSeparators(QStringLiteral("/start")));

        // Picking the data folder itself picks the folder around it.
        m_run->prompter.directories.append(
            m_run->dir.filePath(QStringLiteral("Outer/Voyanta Files")));
        dialog.browse();
        QCOMPARE(path->text(), QDir::toNativeSeparators(outer));
        QCOMPARE(current, outer);
        // Another letter case is another name.
        m_run->prompter.directories.append(
            m_run->dir.filePath(QStringLiteral("Other/voyanta files")));
        dialog.browse();
        QCOMPARE(current, m_run->dir.filePath(QStringLiteral("Other/voyanta files")));
        // A folder that cannot be found is refused.
        m_run->prompter.directories.append(m_run->dir.filePath(QStringLiteral("missing")));
        dialog.browse();
        QCOMPARE(m_run->prompter.informed, QStringList{ResourceText(Str::DirectoryNotFound)});
        QCOMPARE(path->text(), QString());
        // A cancelled browse changes nothing.
        dialog.setPath(QStringLiteral("kept"));
        dialog.browse();
        QCOMPARE(path->text(), QStringLiteral("kept"));
        // Cancel restores the folder the dialog started with.
        control<QAbstractButton>(&dialog, Control::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(current, QStringLiteral("/start"));
        // OK without a path is Cancel.
        dialog.setPath(QString());
        control<QAbstractButton>(&dialog, Control::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // Help opens the guide beside the program.
        m_run->prompter.unexpected.clear();
        CWorkingDirectoryDlg withHelp(
            m_run->prompter, QString(), [](const QString&) {}, [this] { m_run->app.openHelp(); });
        control<QAbstractButton>(&withHelp, Control::WorkingDirectoryHelp)->click();
        QCOMPARE(m_run->prompter.opened.size(), 1);
        QVERIFY(m_run->prompter.opened.first().endsWith(QLatin1String("/VoyantaHelp.html")));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
