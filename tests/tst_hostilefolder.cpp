#include "Cli.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {

TravelRecord travel(const QString& key, const QString& title)
{
    TravelRecord t(DateTimeValue::fromDate(QDate(2006, 3, 5), QTime(9, 0)));
    t.key = key;
    t.title = title;
    return t;
}

} // namespace

// A data folder holding every kind of bad file beside good ones, as sync tools and
// the handheld edition can leave it.
class HostileFolderTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_data;
    QString m_images;
    QStringList m_goodKeys;
    QMap<QString, QString> m_badFiles; // file name -> a word its reported cause holds

    void put(const QString& name, const QByteArray& bytes)
    {
        QVERIFY(writeFile(QDir(m_data).filePath(name), bytes));
    }

    int cli(const QStringList& arguments, QString* out = nullptr)
    {
        QBuffer output;
        QBuffer errors;
        output.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
        const int code = RunCli(QStringList{QStringLiteral("--workdir"), m_dir.path()} + arguments,
                                output, errors, CliContext{m_images});
        if (out)
            *out = QString::fromUtf8(output.data());
        return code;
    }

private slots:
    void initTestCase()
    {
        m_data = m_dir.filePath(QStringLiteral("Voyanta Files"));
        m_images = m_dir.filePath(QStringLiteral("Travel Images"));
        QVERIFY(QDir().mkpath(m_data));
        QVERIFY(QDir().mkpath(m_images));
        TravelDataStore store;
        store.setWorkingDirectory(m_dir.path());
        QVERIFY(store.Refresh().ok()); // the default preference lists

        for (const char* key : {"2006030509012110", "2006030509012210"}) {
            const QString k = QLatin1String(key);
            m_goodKeys.append(k);
            put(DataFolder::travelFileName(k), RecordCodec::encodeTravel(travel(k, k)));
            StageRecord stage(DateTimeValue{38781.5, 0});
            stage.key = k + QStringLiteral("2006030509050010");
            stage.travelKey = k;
            put(DataFolder::stageFileName(stage.key), RecordCodec::encodeStage(stage));
        }
        // Loaded under the key inside, whatever the name.
        const QString renamedKey = QStringLiteral("2006030509012310");
        m_goodKeys.append(renamedKey);
        put(QStringLiteral("TravelRenamed.tra"),
            RecordCodec::encodeTravel(travel(renamedKey, QStringLiteral("r"))));
        m_badFiles.insert(QStringLiteral("TravelRenamed.tra"), QStringLiteral("names"));
        // Two files with one key: one travel, both files stay.
        put(QStringLiteral("TravelTwin.tra"),
            RecordCodec::encodeTravel(travel(m_goodKeys.first(), QStringLiteral("twin"))));
        m_badFiles.insert(QStringLiteral("TravelTwin.tra"), QStringLiteral("also held"));

        const QByteArray real = RecordCodec::encodeTravel(
            travel(QStringLiteral("2006030509012410"), QStringLiteral("Cut")));
        for (int size = 0; size < real.size(); ++size) {
            const QString name =
                QStringLiteral("TravelCut%1.tra").arg(size, 3, 10, QLatin1Char('0'));
            put(name, real.left(size));
            m_badFiles.insert(name, QStringLiteral("truncated"));
        }
        for (const char* key : {"..\\..\\x", "../x", "C:x", ".."}) {
            const QString name = QStringLiteral("TravelUnsafe%1.tra").arg(m_badFiles.size());
            put(name,
                RecordCodec::encodeTravel(travel(QLatin1String(key), QStringLiteral("evil"))));
            m_badFiles.insert(name, QStringLiteral("unsafe key"));
        }
        StageRecord escaping(DateTimeValue{38781.5, 0});
        escaping.key = QStringLiteral("../../x");
        escaping.travelKey = m_goodKeys.first();
        put(QStringLiteral("escaping.stg"), RecordCodec::encodeStage(escaping));
        m_badFiles.insert(QStringLiteral("escaping.stg"), QStringLiteral("unsafe key"));
        put(QStringLiteral("long.stg"),
            hex("10") + "2006030509012110" + hex("ff ff ff ffff ff7f 00"));
        m_badFiles.insert(QStringLiteral("long.stg"), QStringLiteral("runs past the end"));

        put(DataFolder::checkListFileName(m_goodKeys[0]), hex("f6ffffff")); // negative: empty
        put(DataFolder::expensesFileName(m_goodKeys[0]), hex("ffffff7f") + QByteArray(16, 'x'));
        m_badFiles.insert(DataFolder::expensesFileName(m_goodKeys[0]),
                          QStringLiteral("2147483647"));
        put(QStringLiteral("Preference9.prf"), hex("00000080"));
        QVERIFY(QDir(m_data).mkdir(QStringLiteral("x.tra")));
        m_badFiles.insert(QStringLiteral("x.tra"), QStringLiteral("folder"));
        QVERIFY(
            writeFile(QDir(m_images).filePath(QStringLiteral("Images1.img")), hex("05000000 01")));
        m_badFiles.insert(QStringLiteral("Images1.img"), QStringLiteral("truncated"));

        // What a path built from an unsafe key would reach.
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("x")), "outside"));
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("Travelx.tra")), "outside"));
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("Appointmentx.apt")), "outside"));
    }

    void everyGoodRecordLoadsAndNothingChanges()
    {
        const auto before = folderFingerprint(m_dir.path());
        TravelDataStore store;
        store.setWorkingDirectory(m_dir.path());
        store.setImagesFolder(m_images);
        QVERIFY(store.Refresh().ok());
        QStringList expected = m_goodKeys;
        expected.sort();
        QCOMPARE(store.TravelKeys(), expected);
        for (const QString& key : m_goodKeys.mid(0, 2))
            QCOMPARE(store.CountStages(key), 1);
        QVERIFY(store.LoadCheckList(m_goodKeys[0]).isEmpty());
        QVERIFY(store.LoadExpenses(m_goodKeys[0]).isEmpty());
        QVERIFY(store.ReadPreferenceList(9).isEmpty());

        QStringList problemFiles;
        for (const LoadProblem& problem : store.problems())
            problemFiles.append(problem.fileName);
        for (auto it = m_badFiles.cbegin(); it != m_badFiles.cend(); ++it) {
            const bool loadProblem = it.value() == QLatin1String("truncated") ||
                                     it.value() == QLatin1String("unsafe key") ||
                                     it.value() == QLatin1String("runs past the end");
            if (loadProblem && it.key().endsWith(QLatin1String(".tra")))
                QVERIFY2(problemFiles.contains(it.key()), qPrintable(it.key()));
        }
        QCOMPARE(folderFingerprint(m_dir.path()), before);
    }

    void checkReportsEveryBadFileWithItsCause()
    {
        const auto before = folderFingerprint(m_dir.path());
        QString out;
        QCOMPARE(cli({QStringLiteral("check")}, &out), int(ExitProblemsFound));
        QMap<QString, QStringList> reported;
        for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            reported[line.section(QLatin1Char('\t'), 0, 0)].append(
                line.section(QLatin1Char('\t'), 1));
        for (auto it = m_badFiles.cbegin(); it != m_badFiles.cend(); ++it) {
            const QString causes = reported.value(it.key()).join(QLatin1Char('|'));
            QVERIFY2(causes.contains(it.value()),
                     qPrintable(it.key() + QStringLiteral(": ") + causes));
        }
        for (const QString& key : m_goodKeys.mid(0, 2))
            QVERIFY(!reported.contains(DataFolder::travelFileName(key)));
        QCOMPARE(folderFingerprint(m_dir.path()), before);
    }

    void deletingTouchesNothingOutsideTheFolder()
    {
        const auto outsideBefore = folderFingerprint(m_dir.path());
        QCOMPARE(cli({QStringLiteral("delete"), QStringLiteral("../x")}), int(ExitBadUsage));
        QCOMPARE(cli({QStringLiteral("delete"), QStringLiteral("..\\..\\x")}), int(ExitBadUsage));
        for (const QString& key : m_goodKeys)
            QCOMPARE(cli({QStringLiteral("delete"), key}), int(ExitSuccess));
        QString out;
        QCOMPARE(cli({QStringLiteral("list")}, &out), int(ExitSuccess));
        // Files that held a deleted travel under another name went with it: nothing
        // comes back at the next load.
        QCOMPARE(out, QString());
        QVERIFY(!QFile::exists(QDir(m_data).filePath(QStringLiteral("TravelTwin.tra"))));
        QVERIFY(!QFile::exists(QDir(m_data).filePath(QStringLiteral("TravelRenamed.tra"))));

        auto outsideAfter = folderFingerprint(m_dir.path());
        for (auto* fingerprint : {&outsideAfter})
            fingerprint->removeIf([](const auto& entry) {
                return entry.key().startsWith(QLatin1String("Voyanta Files/"));
            });
        auto expected = outsideBefore;
        expected.removeIf([](const auto& entry) {
            return entry.key().startsWith(QLatin1String("Voyanta Files/"));
        });
        QCOMPARE(outsideAfter, expected);
        QCOMPARE(readFile(m_dir.filePath(QStringLiteral("Travelx.tra"))), QByteArray("outside"));
    }
};

QTEST_GUILESS_MAIN(HostileFolderTest)
#include "tst_hostilefolder.moc"
