// The window's Synchronize without a sync engine and with a command the profile names, and
// conflict copies in the window: marked in the tree and the status bar, settled in the
// Resolve Conflicts dialog.
#include "CliRun.h"
#include "CommandIds.h"
#include "ConflictsCommand.h"
#include "RecordCodec.h"
#include "ResolveConflictsDlg.h"
#include "SyncCommand.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace {

const QDate march2006(2006, 3, 1);

// Runs Synchronize and waits for its end; the status bar's message.
QString synchronize(CMainFrame* frame)
{
    QSignalSpy ended(frame->syncCommand(), &CSyncCommand::finished);
    frame->action(Cmd::Synchronize)->trigger();
    if (ended.isEmpty() && !ended.wait(20000))
        return QStringLiteral("(did not end)");
    return frame->statusBar()->currentMessage();
}

// Selects the dialog's row of a copy, by the copy's name.
void selectCopy(CResolveConflictsDlg* dialog, const QString& copyName)
{
    QListWidget* rows = dialog->records();
    for (int row = 0; row < rows->count(); ++row) {
        if (rows->item(row)->toolTip().split(u'\n').contains(copyName))
            rows->setCurrentRow(row);
    }
}

QStringList differenceRows(const CResolveConflictsDlg* dialog)
{
    QStringList rows;
    for (int i = 0; i < dialog->differences()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = dialog->differences()->topLevelItem(i);
        rows.append(item->text(0) + u'|' + item->text(1) + u'|' + item->text(2));
    }
    return rows;
}

} // namespace

class TestSyncWindow : public QObject {
    Q_OBJECT

private slots:
    // Without an engine and with a command of the profile: the folder is read again, and
    // the status bar says what happened.
    void synchronizeReloadsAndTells()
    {
        WindowFixture f;
        CMainFrame* frame = f.startOnFolder(march2006);
        QVERIFY(frame);
        frame->syncCommand()->setTimeLimit(100);
        const auto behind = f.seed();
        const RecordKey first = addTitledTravel(*behind, at(2006, 3, 9), QStringLiteral("Porto"));
        QString message = synchronize(frame);
        QVERIFY2(message.contains(u"No sync engine shares this folder") &&
                     message.contains(u"Using Voyanta on several computers"),
                 qPrintable(message));
        QVERIFY(frame->tree()->travelNode(first).isValid());

        QSettings profile(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
        profile.setValue(QStringLiteral("Sync/Command"), QStringLiteral("sh"));
        profile.setValue(
            QStringLiteral("Sync/Arguments"),
            QStringList{QStringLiteral("-c"),
                        QStringLiteral("echo first >&2; echo 'disk full' >&2; exit 3")});
        profile.sync();
        f.clock.advance();
        const RecordKey second = addTitledTravel(*behind, at(2006, 3, 9), QStringLiteral("Faro"));
        message = synchronize(frame);
        QCOMPARE(message, QStringLiteral("sh ended with exit status 3: disk full"));
        QVERIFY(frame->tree()->travelNode(second).isValid());
        // voyanta-cli sync runs the same command and tells the same.
        const auto cliSync = [&](const QString& timeout) {
            return runCli({QStringLiteral("--workdir"), f.dir.path(), QStringLiteral("sync"),
                           QStringLiteral("--timeout"), timeout},
                          CliContext{});
        };
        CliRun cli = cliSync(QStringLiteral("5"));
        QCOMPARE(cli.exitCode, 3);
        QCOMPARE(cli.err, QStringLiteral(
                              "Synchronizing with sh…\nsh ended with exit status 3: disk full\n"));

        profile.setValue(QStringLiteral("Sync/Arguments"),
                         QStringList{QStringLiteral("-c"), QStringLiteral("sleep 5")});
        profile.setValue(QStringLiteral("Sync/TimeLimit"), 0); // the injected limit
        profile.sync();
        QCOMPARE(synchronize(frame), QStringLiteral("sh did not end within 0.1 s and was stopped"));
        cli = cliSync(QStringLiteral("0.1"));
        QCOMPARE(cli.exitCode, 4);
        QVERIFY2(cli.err.endsWith(u"sh did not end within 0.1 s and was stopped\n"),
                 qPrintable(cli.err));

        profile.setValue(QStringLiteral("Sync/Command"), QStringLiteral("/nonexistent/unison"));
        profile.sync();
        message = synchronize(frame);
        QVERIFY2(message.startsWith(u"Could not start the sync command /nonexistent/unison"),
                 qPrintable(message));
        QCOMPARE(cliSync(QStringLiteral("5")).exitCode, 5);
        QVERIFY(f.prompter.informed.isEmpty() && f.prompter.unexpected.isEmpty());
    }

    // A travel, its check list and its expenses each with a conflict copy: the tree and the
    // status bar show them, and the dialog keeps the copy, merges and keeps the record.
    void conflictsShownAndSettled()
    {
        WindowFixture f;
        const auto seed = f.seed();
        const RecordKey key = addTitledTravel(*seed, at(2006, 3, 9), QStringLiteral("Lisbon"));
        QVERIFY(seed->SaveCheckList(
                        key, {{QStringLiteral("Passport"), 0}, {QStringLiteral("Tickets"), 1}})
                    .ok());
        ExpenseRecord ferry;
        ferry.product = QStringLiteral("Ferry");
        QVERIFY(seed->SaveExpenses(key, {ferry}).ok());
        const QDir data(seed->dataFolder().path());
        TravelRecord renamed = seed->GetTravel(key);
        renamed.title = QStringLiteral("Lisboa");
        // Two copies of the travel: the older one is kept.
        const QString travelCopy =
            QStringLiteral("Travel%1.sync-conflict-20261206-004359-ABCDEFG.tra").arg(key);
        QVERIFY(writeFile(data.filePath(travelCopy), RecordCodec::encodeTravel(renamed)));
        renamed.title = QStringLiteral("Lisbon city");
        const QString newerCopy =
            QStringLiteral("Travel%1.sync-conflict-20261207-004359-HIJKLMN.tra").arg(key);
        QVERIFY(writeFile(data.filePath(newerCopy), RecordCodec::encodeTravel(renamed)));
        const QString listCopy =
            QStringLiteral("CheckList%1 (conflict_on_2026-12-07).chk").arg(key);
        QVERIFY(writeFile(data.filePath(listCopy),
                          RecordCodec::encodeCheckList(RecordCodec::listOf<CheckListItem>(
                              {{QStringLiteral("Passport"), 1}, {QStringLiteral("Euros"), 0}}))));
        const QString expensesCopy = QStringLiteral("Expenses%1.exp..path2").arg(key);
        QVERIFY(writeFile(data.filePath(expensesCopy), RecordCodec::encodeExpenses({})));

        CMainFrame* frame = f.startOnFolder(march2006);
        QVERIFY(frame);
        QCOMPARE(frame->tree()->travelNode(key).data().toString(),
                 QStringLiteral("Lisbon (conflict)"));
        // A title edited in the window keeps the mark.
        frame->tree()->select(frame->tree()->travelNode(key));
        frame->tree()->setSelectedCaption(QStringLiteral("Lisbon!"));
        QCOMPARE(frame->tree()->travelNode(key).data().toString(),
                 QStringLiteral("Lisbon! (conflict)"));
        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("conflictNotice"))->text(),
                 QStringLiteral("4 conflict copies of records: Tools, Resolve Conflicts"));
        QVERIFY(frame->action(Cmd::ResolveConflicts)->isEnabled());

        f.prompter.dialogs.append([&](QDialog* opened) {
            auto* dialog = qobject_cast<CResolveConflictsDlg*>(opened);
            if (!dialog || dialog->records()->count() != 3)
                return 0;
            selectCopy(dialog, travelCopy);
            if (dialog->copyChoice()->count() != 2 ||
                differenceRows(dialog) != QStringList{QStringLiteral("Title|Lisbon|Lisbon city")})
                return 0;
            dialog->copyChoice()->setCurrentIndex(1);
            if (differenceRows(dialog) != QStringList{QStringLiteral("Title|Lisbon|Lisboa")})
                return 0;
            dialog->findChild<QPushButton*>(QStringLiteral("keepCopy"))->click();
            selectCopy(dialog, listCopy);
            if (differenceRows(dialog) !=
                QStringList{QStringLiteral("Entry|[ ] Passport|[x] Passport"),
                            QStringLiteral("Entry|[x] Tickets|"),
                            QStringLiteral("Entry||[ ] Euros")})
                return 0;
            dialog->findChild<QPushButton*>(QStringLiteral("mergeVersions"))->click();
            selectCopy(dialog, expensesCopy);
            dialog->findChild<QPushButton*>(QStringLiteral("keepRecord"))->click();
            return dialog->resolvedCount() == 4 && dialog->records()->count() == 0 ? 1 : 0;
        });
        frame->action(Cmd::ResolveConflicts)->trigger();
        QVERIFY(f.prompter.dialogs.isEmpty());
        QVERIFY(f.prompter.informed.isEmpty() && f.prompter.unexpected.isEmpty());

        // The folder was read again: the copy's title, no mark, nothing left to settle.
        QCOMPARE(frame->tree()->travelNode(key).data().toString(), QStringLiteral("Lisboa"));
        QVERIFY(!frame->action(Cmd::ResolveConflicts)->isEnabled());
        QCOMPARE(f.store.LoadCheckList(key).size(), 3);
        QCOMPARE(f.store.LoadExpenses(key).size(), 1);
        QVERIFY(FindConflictCopies(data.path()).isEmpty());
        // Nothing was lost: the versions not kept are in Conflicts.
        const QStringList kept =
            QDir(f.dir.filePath(QStringLiteral("Conflicts"))).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(kept.cbegin(), kept.cend()),
                 (QSet<QString>{QStringLiteral("CheckList%1.chk").arg(key), listCopy, expensesCopy,
                                QStringLiteral("Travel%1.tra").arg(key), newerCopy}));
    }

    // Each version's text is shown whole at any width: notes that differ only after their
    // own line break, in a paragraph that wraps; and an expense without a unit.
    void differencesShownWhole()
    {
        WindowFixture f;
        const auto seed = f.seed();
        const RecordKey key = addTitledTravel(*seed, at(2006, 3, 9), QStringLiteral("Lisbon"));
        TravelRecord travel = seed->GetTravel(key);
        const QString paragraph =
            QStringLiteral("Stay in Alfama, try the pastries in Belem, walk up to the castle. ")
                .repeated(4);
        travel.notes = paragraph + QStringLiteral("\nTram 28 early in the morning.");
        QVERIFY(seed->SaveTravel(travel).ok());
        ExpenseRecord ferry;
        ferry.product = QStringLiteral("Ferry");
        ferry.quantity = 2;
        ferry.pricePerUnit = 3.5;
        ferry.total = 7;
        QVERIFY(seed->SaveExpenses(key, {ferry}).ok());
        const QDir data(seed->dataFolder().path());
        travel.notes = paragraph + QStringLiteral("\nTram 15 early in the morning.");
        QVERIFY(writeFile(data.filePath(QStringLiteral("Travel%1.tra..path2").arg(key)),
                          RecordCodec::encodeTravel(travel)));
        ferry.pricePerUnit = 4;
        ferry.total = 8;
        const QString expensesCopy = QStringLiteral("Expenses%1.exp..path2").arg(key);
        QVERIFY(
            writeFile(data.filePath(expensesCopy),
                      RecordCodec::encodeExpenses(RecordCodec::listOf<ExpenseRecord>({ferry}))));

        CMainFrame* frame = f.startOnFolder(march2006);
        QVERIFY(frame);
        QStringList shortOf;
        QStringList expenses;
        f.prompter.dialogs.append([&](QDialog* opened) {
            auto* dialog = qobject_cast<CResolveConflictsDlg*>(opened);
            if (!dialog)
                return 0;
            dialog->show();
            QTreeWidget* rows = dialog->differences();
            // The rows are measured again once the columns have their widths.
            const auto settle = [] {
                for (int i = 0; i < 3; ++i)
                    QCoreApplication::processEvents();
            };
            const auto check = [&](const QString& when) {
                settle();
                const QList<QTreeWidgetItem*> notes =
                    rows->findItems(QStringLiteral("Notes"), Qt::MatchExactly);
                if (notes.size() != 1) {
                    shortOf.append(when + QStringLiteral(": no Notes row"));
                    return;
                }
                for (int column : {1, 2}) {
                    const QRect needed = rows->fontMetrics().boundingRect(
                        QRect(0, 0, rows->columnWidth(column), 1 << 20), Qt::TextWordWrap,
                        notes.first()->text(column));
                    if (rows->visualItemRect(notes.first()).height() < needed.height())
                        shortOf.append(when + QStringLiteral(": column ") +
                                       QString::number(column));
                }
            };
            selectCopy(dialog, QStringLiteral("Travel%1.tra..path2").arg(key));
            check(QStringLiteral("opened"));
            dialog->resize(dialog->width() * 2 / 3, dialog->height());
            check(QStringLiteral("narrower"));
            selectCopy(dialog, expensesCopy);
            expenses = differenceRows(dialog);
            return 0;
        });
        frame->action(Cmd::ResolveConflicts)->trigger();
        QVERIFY(f.prompter.dialogs.isEmpty());
        QCOMPARE(shortOf, QStringList());
        QCOMPARE(expenses, QStringList{QStringLiteral(
                               "Entry|Ferry 2.00 × 3.50 = 7.00|Ferry 2.00 × 4.00 = 8.00")});
    }
};

QTEST_MAIN(TestSyncWindow)
#include "tst_syncwindow.moc"
