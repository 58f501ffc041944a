#include "DataFolder.h"
#include "MainFrame.h"
#include "ScriptedPrompter.h"
#include "StringTable.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "VoyantaApp.h"
#include "WindowFixture.h"
#include "WorkingDirectoryDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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

// Browses to a folder in the Working Directory dialog, then presses a button.
std::function<int(QDialog*)> browseThenPress(int id)
{
    return [id](QDialog* dialog) {
        static_cast<CWorkingDirectoryDlg*>(dialog)->browse();
        return pressButton(id)(dialog);
    };
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;
    QTemporaryDir* m_dir = nullptr;
    ScriptedPrompter* m_prompter = nullptr;
    TravelDataStore* m_store = nullptr;
    CVoyantaApp* m_app = nullptr;

    QString folder(const QString& name) const { return m_run->folder(name); }

private slots:
    void init()
    {
        m_run = std::make_unique<WindowFixture>();
        m_dir = &m_run->dir;
        m_prompter = &m_run->prompter;
        m_store = &m_run->store;
        m_app = &m_run->app;
    }

    void cleanup() { m_run.reset(); }

    void firstRunCancelledLeavesNoWindowAndNoProfile()
    {
        m_prompter->dialogs.append(pressButton(2));
        QVERIFY(!m_app->startUp());
        QVERIFY(!m_app->mainFrame());
        QVERIFY(!profileValue().isValid());
        QVERIFY(m_prompter->informed.isEmpty());
        QVERIFY(m_prompter->unexpected.isEmpty());
    }

    void aDeletedFolderIsReportedThenReplaced()
    {
        setProfile(m_dir->filePath(QStringLiteral("gone")));
        const QString chosen = folder(QStringLiteral("Trips"));
        m_prompter->directories.append(chosen);
        m_prompter->dialogs.append(browseThenPress(1));
        QVERIFY(m_app->startUp());
        QCOMPARE(m_prompter->informed, QStringList{ResourceText(61516)});
        QCOMPARE(m_app->workingDirectory(), chosen);
        QVERIFY(QFileInfo(QDir(chosen).filePath(QStringLiteral("Voyanta Files"))).isDir());
        QVERIFY(m_app->mainFrame()->isVisible());
        // Not written before the window goes.
        QCOMPARE(profileValue().toString(), m_dir->filePath(QStringLiteral("gone")));
        m_app->mainFrame()->close();
        QCOMPARE(profileValue().toString(), chosen);
        QVERIFY(m_prompter->unexpected.isEmpty());
    }

    void anExistingFolderStartsSilently()
    {
        const QString existing = folder(QStringLiteral("Plain"));
        setProfile(existing);
        QVERIFY(m_app->startUp());
        QVERIFY(m_prompter->informed.isEmpty());
        QVERIFY(m_prompter->unexpected.isEmpty());
        QVERIFY(QFileInfo(QDir(existing).filePath(QStringLiteral("Voyanta Files"))).isDir());
        QVERIFY(QFileInfo(m_app->imagesFolder()).isDir());
    }

    void anOverrideIsNeverWrittenToTheProfile()
    {
        const QString kept = folder(QStringLiteral("Kept"));
        setProfile(kept);
        m_app->setWorkingDirectoryOverride(folder(QStringLiteral("JustThisRun")));
        QVERIFY(m_app->startUp());
        QCOMPARE(m_store->dataFolder().workingDirectory(),
                 m_dir->filePath(QStringLiteral("JustThisRun")));
        m_app->mainFrame()->close();
        QCOMPARE(profileValue().toString(), kept);
    }

    void workingDirectoryDialog()
    {
        const QString outer = folder(QStringLiteral("Outer"));
        folder(QStringLiteral("Outer/Voyanta Files"));
        folder(QStringLiteral("Other/voyanta files"));
        QString current = QStringLiteral("/start");
        CWorkingDirectoryDlg dialog(*m_prompter, current, [&](const QString& f) { current = f; },
                                    {});
        auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("1002"));

        // Picking the data folder itself picks the folder around it.
        m_prompter->directories.append(m_dir->filePath(QStringLiteral("Outer/Voyanta Files")));
        dialog.browse();
        QCOMPARE(path->text(), QDir::toNativeSeparators(outer));
        QCOMPARE(current, outer);
        // Another letter case is another name.
        m_prompter->directories.append(m_dir->filePath(QStringLiteral("Other/voyanta files")));
        dialog.browse();
        QCOMPARE(current, m_dir->filePath(QStringLiteral("Other/voyanta files")));
        // A folder that cannot be found is refused.
        m_prompter->directories.append(m_dir->filePath(QStringLiteral("missing")));
        dialog.browse();
        QCOMPARE(m_prompter->informed, QStringList{ResourceText(61446)});
        QCOMPARE(path->text(), QString());
        // A cancelled browse changes nothing.
        dialog.setPath(QStringLiteral("kept"));
        dialog.browse();
        QCOMPARE(path->text(), QStringLiteral("kept"));
        // Cancel restores the folder the dialog started with.
        dialog.findChild<QAbstractButton*>(QStringLiteral("2"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(current, QStringLiteral("/start"));
        // OK without a path is Cancel.
        dialog.setPath(QString());
        dialog.findChild<QAbstractButton*>(QStringLiteral("1"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // Help opens the guide beside the program.
        m_prompter->unexpected.clear();
        CWorkingDirectoryDlg withHelp(
            *m_prompter, QString(), [](const QString&) {}, [this] { m_app->openHelp(); });
        withHelp.findChild<QAbstractButton*>(QStringLiteral("1003"))->click();
        QCOMPARE(m_prompter->opened.size(), 1);
        QVERIFY(m_prompter->opened.first().endsWith(QLatin1String("/VoyantaHelp.html")));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
