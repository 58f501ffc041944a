#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include "DateTimeValue.h"
#include "Records.h"
#include "TravelDataStore.h"

// A stored date-time of a calendar moment; nine in the morning unless told otherwise.
inline DateTimeValue at(int year, int month, int day, int hour = 9, int minute = 0, int second = 0)
{
    return DateTimeValue::fromDate(QDate(year, month, day), QTime(hour, minute, second));
}

// An expense line whose total is its quantity times its price.
inline ExpenseRecord expense(const QString& product, double quantity, double price, bool purchased)
{
    return ExpenseRecord{product, quantity, QString(), price, quantity * price, purchased ? 1 : 0};
}

// A stage of a travel, titled and placed when given.
inline StageRecord stageOf(const RecordKey& travelKey, const DateTimeValue& date,
                           const QString& title = {}, const QString& place = {})
{
    StageRecord stage(date);
    stage.travelKey = travelKey;
    stage.title = title;
    stage.place = place;
    return stage;
}

// The texts a model shows in one column, top to bottom.
inline QStringList column(const QAbstractItemModel* model, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

// Checks a model's answers against the rules of item models while it lives.
inline std::unique_ptr<QAbstractItemModelTester> tester(QAbstractItemModel* model)
{
    return std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

// Bytes written by hand: "10 32 30" or "10323030"; blanks are ignored.
inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The clock a store makes keys from, for tests: it stands still at 5 March 2006,
// 09:01:21 until the test moves it, so that keys are known in advance and no test
// waits for the next second. Given to a store with store.setClock(clock.function());
// it must outlive the store.
struct TestClock {
    QDateTime now = QDateTime(QDate(2006, 3, 5), QTime(9, 1, 21));

    void advance(qint64 seconds = 1) { now = now.addSecs(seconds); }
    std::function<QDateTime()> function()
    {
        return [this] { return now; };
    }
};

// Points a store at a working directory, made if missing, on a test clock when given one,
// and reads it.
inline bool openStore(TravelDataStore& store, const QString& folder, TestClock* clock = nullptr)
{
    QDir().mkpath(folder);
    store.setWorkingDirectory(folder);
    if (clock)
        store.setClock(clock->function());
    return store.Refresh().ok();
}

// Limits the size of the files this process writes while it lives, as a full disk
// would: a write past the limit fails. Only where the system has such a limit (not on
// Windows); tests that need one skip elsewhere.
class FileSizeLimit {
public:
#ifdef Q_OS_UNIX
    static constexpr bool supported = true;

    explicit FileSizeLimit(qint64 bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = rlim_t(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_previous);
    }
    bool isSet() const
    {
        return m_set;
    }

private:
    rlimit m_previous{};
    bool m_set = false;
#else
    static constexpr bool supported = false;

    explicit FileSizeLimit(qint64) {}
    bool isSet() const
    {
        return false;
    }
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

#define SKIP_WITHOUT_FILE_SIZE_LIMIT()                                                             \
    do {                                                                                           \
        if (!FileSizeLimit::supported)                                                             \
            QSKIP("this system cannot limit the size of written files");                           \
    } while (false)

// Every entry under a folder with what it is: a plain file's size and the hash of its
// bytes (of its size and time for files too big to hash quickly), or the kind of any
// other entry, which is never opened: to show that nothing changed.
inline QMap<QString, QByteArray> folderFingerprint(const QString& folder)
{
    QMap<QString, QByteArray> fingerprint;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray print;
        if (info.isSymLink())
            print = "link to " + info.symLinkTarget().toUtf8();
        else if (info.isDir())
            print = "folder";
        else if (!info.isFile())
            print = "special";
        else if (info.size() > (1 << 20))
            print = QByteArray::number(info.size()) + ' ' +
                    QByteArray::number(info.lastModified().toMSecsSinceEpoch());
        else
            print = QByteArray::number(info.size()) + ' ' +
                    QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex();
        fingerprint.insert(QDir(folder).relativeFilePath(path), print);
    }
    return fingerprint;
}

// Where two whole texts first differ, with some context: for long expected exports,
// where QCOMPARE shows only their beginnings.
inline QString firstDifference(const QString& actual, const QString& expected)
{
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actual.size() && i == expected.size())
        return {};
    const auto around = [i](const QString& text) {
        return text.mid(qMax<qsizetype>(0, i - 40), 80)
            .replace(QLatin1Char('\r'), QLatin1String("\\r"))
            .replace(QLatin1Char('\n'), QLatin1String("\\n"))
            .replace(QLatin1Char('\t'), QLatin1String("\\t"));
    };
    return QStringLiteral(
               "texts differ at %1 (sizes %2 and %3)\n   actual:   ...%4...\n   expected: ...%5...")
        .arg(i)
        .arg(actual.size())
        .arg(expected.size())
        .arg(around(actual), around(expected));
}

#define COMPARE_TEXT(actual, expected)                                                             \
    do {                                                                                           \
        const QString difference = firstDifference((actual), (expected));                          \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)
