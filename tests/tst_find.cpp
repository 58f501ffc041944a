#include "FindIndex.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QTemporaryDir>
#include <QTest>

// The find index over a real data folder: every kind of record, case and accents
// ignored, the matched part marked, and travels brought up to date as they change.
class FindTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TravelDataStore> m_data;
    TestClock m_clock;
    RecordKey m_zurich;
    RecordKey m_lisbon;
    RecordKey m_stage;

    QStringList kindsFound(const FindIndex& index, const QString& text) const
    {
        QStringList kinds;
        for (const FindMatch& match : index.find(text))
            kinds.append(FindIndex::KindName(match.kind) + QLatin1Char(':') + match.field);
        return kinds;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<TravelDataStore>();
        TravelDataStore& store = *m_data;
        QVERIFY(openStore(store, m_dir->path(), &m_clock));
        TravelRecord zurich(at(2027, 1, 10));
        zurich.title = QStringLiteral("Conference in Zürich");
        zurich.notes = QStringLiteral("Hotel near the lake\r\nBring the adapter");
        zurich.seatNo = QStringLiteral("LX 1071 / 12A");
        zurich.from = QStringLiteral("Bahnhofstraße");
        m_zurich = store.AddTravel(zurich).key;
        TravelRecord lisbon(at(2026, 12, 4));
        lisbon.title = QStringLiteral("Lisbon");
        m_lisbon = store.AddTravel(lisbon).key;
        StageRecord old = stageOf(m_lisbon, at(2026, 12, 5), QStringLiteral("Old town"),
                                  QStringLiteral("ALFAMA"));
        old.notes = QStringLiteral("Miradouro at sunset");
        m_stage = store.AddStage(old).key;
        AppointmentRecord fado(at(2026, 12, 5, 21));
        fado.subject = QStringLiteral("Fado evening");
        fado.location = QStringLiteral("Clube de Fado, Alfama");
        fado.notes = QStringLiteral("Table booked");
        QVERIFY(store.SaveAppointments(m_stage, {fado}).ok());
        QVERIFY(store.SaveCheckList(m_lisbon, {{QStringLiteral("Travel adapter"), 0}}).ok());
        ExpenseRecord tram;
        tram.product = QStringLiteral("Tram 28 ticket");
        QVERIFY(store.SaveExpenses(m_lisbon, {tram}).ok());
    }

    void everyKindOfRecordIsFoundWhateverItsAccentsAndCase()
    {
        FindIndex index;
        index.rebuild(*m_data);
        QCOMPARE(kindsFound(index, QStringLiteral("adapter")),
                 (QStringList{QStringLiteral("travel:notes"), QStringLiteral("checklist:entry")}));
        QCOMPARE(
            kindsFound(index, QStringLiteral("alfama")),
            (QStringList{QStringLiteral("stage:place"), QStringLiteral("appointment:location")}));
        // Notes are named as notes, not as the place or location before them.
        QCOMPARE(kindsFound(index, QStringLiteral("sunset")),
                 QStringList{QStringLiteral("stage:notes")});
        QCOMPARE(kindsFound(index, QStringLiteral("booked")),
                 QStringList{QStringLiteral("appointment:notes")});
        QCOMPARE(kindsFound(index, QStringLiteral("tram 28")),
                 QStringList{QStringLiteral("expense:product")});
        QCOMPARE(kindsFound(index, QStringLiteral("12a")),
                 QStringList{QStringLiteral("travel:seat")});
        // A short text at the very start of a travel's texts.
        QCOMPARE(kindsFound(index, QStringLiteral("lis")),
                 QStringList{QStringLiteral("travel:title")});
        QVERIFY(index.find(QStringLiteral("nothing like it")).isEmpty());
        QVERIFY(index.find(QStringLiteral("   ")).isEmpty());
        const FindMatch fado = index.find(QStringLiteral("FADO EVENING")).first();
        QCOMPARE(fado.stageKey, m_stage);
        QCOMPARE(fado.item, 0);
        QCOMPARE(fado.date, at(2026, 12, 5, 21));
        QCOMPARE(fado.title, QStringLiteral("Fado evening"));

        // Accents and case are ignored, and the match is marked.
        const QList<FindMatch> matches = index.find(QStringLiteral("zurich"));
        QCOMPARE(matches.size(), 1);
        const FindMatch& match = matches.first();
        QCOMPARE(match.travelKey, m_zurich);
        QCOMPARE(match.text.mid(match.start, match.length), QStringLiteral("Zürich"));
        // And the other way round: an accent typed finds the plain letters.
        QCOMPARE(index.find(QStringLiteral("ALFÀMA")).size(), 2);
        // Letters that fold to more than one: ß is ss, whichever way it is written.
        QCOMPARE(FindIndex::Fold(QStringLiteral("Straße STRAẞE ﬁnal")),
                 QStringLiteral("strasse strasse final"));
        for (const QString& street : {QStringLiteral("strasse"), QStringLiteral("STRASSE"),
                                      QStringLiteral("straße"), QStringLiteral("hofstr")}) {
            const QList<FindMatch> found = index.find(street);
            QCOMPARE(found.size(), 1);
            QCOMPARE(found.first().field, QStringLiteral("from"));
        }
        const FindMatch street = index.find(QStringLiteral("STRASSE")).first();
        QCOMPARE(street.text.mid(street.start, street.length), QStringLiteral("straße"));
        // Texts are searched one by one: nothing spans the end of one and the next.
        QVERIFY(
            index.find(QStringLiteral("zürich") + QChar(0xFFFF) + QStringLiteral("lx")).isEmpty());
        QVERIFY(index.find(QStringLiteral("zürichlx")).isEmpty());
    }

    void aLargeFolderIsSearchedInPartsAndJoinedInOrder()
    {
        // Enough travels for the search to run in parts; every 97th is a Zürich one.
        QList<RecordKey> zurichs;
        for (int i = 0; i < 1200; ++i) {
            TravelRecord travel(at(2008, 1, 1 + i % 28));
            travel.title = QStringLiteral("%1 %2").arg(i % 97 == 5 ? QStringLiteral("Zürich")
                                                                   : QStringLiteral("Trip"),
                                                       QString::number(i));
            const KeyOutcome added = m_data->AddTravel(travel);
            QVERIFY(added.ok());
            if (i % 97 == 5)
                zurichs.append(added.key);
        }
        zurichs.append(m_zurich);
        std::sort(zurichs.begin(), zurichs.end());
        FindIndex index;
        index.rebuild(*m_data);
        const auto keysOf = [](const QList<FindMatch>& matches) {
            QList<RecordKey> keys;
            for (const FindMatch& match : matches)
                keys.append(match.travelKey);
            return keys;
        };
        QCOMPARE(keysOf(index.find(QStringLiteral("zurich"))), zurichs);
        QCOMPARE(keysOf(index.find(QStringLiteral("zurich"), 5)), zurichs.mid(0, 5));
        const QList<RecordKey> trips = keysOf(index.find(QStringLiteral("trip"), 2000));
        QCOMPARE(trips.size(), 1200 - 13);
        QVERIFY(std::is_sorted(trips.cbegin(), trips.cend()));
        QCOMPARE(keysOf(index.find(QStringLiteral("trip"), 1000)), trips.mid(0, 1000));
    }

    // Travels changed after the index was built are found at once, also by a search that
    // narrows one made before the change.
    void changedTravelsAreFoundAtOnceWhileTypingOn()
    {
        FindIndex index;
        index.rebuild(*m_data);
        TravelRecord lisbon = m_data->GetTravel(m_lisbon);
        lisbon.title = QStringLiteral("Porto");
        QVERIFY(m_data->SaveTravel(lisbon).ok());
        index.updateTravel(*m_data, m_lisbon);
        QVERIFY(index.find(QStringLiteral("lisbon")).isEmpty());
        QCOMPARE(index.find(QStringLiteral("porto")).size(), 1);
        QCOMPARE(index.find(QStringLiteral("zur")).size(), 1);
        // A travel the index has not seen, matching only the longer text, is added in key
        // order: the narrowed search must not keep to the travels found before the change.
        TravelRecord later(at(2027, 2, 1));
        later.title = QStringLiteral("Zürich again");
        const RecordKey key = m_data->AddTravel(later).key;
        index.updateTravel(*m_data, key);
        const QList<FindMatch> both = index.find(QStringLiteral("zuri"));
        QCOMPARE(both.size(), 2);
        QVERIFY(both[0].travelKey < both[1].travelKey);
        // A search cut short by its limit leaves the last complete one to narrow from.
        QCOMPARE(index.find(QStringLiteral("z"), 1).size(), 1);
        QCOMPARE(index.find(QStringLiteral("zurich")).size(), 2);
        QCOMPARE(index.find(QStringLiteral("zurich a")).size(), 1);
        QVERIFY(index.find(QStringLiteral("zurich ab")).isEmpty());
        QCOMPARE(index.find(QStringLiteral("zurich")).size(), 2); // typed back: all again
    }

    void theStoreNamesEveryTravelItChanges()
    {
        TravelDataStore& store = *m_data;
        QStringList changed;
        store.setChangeObserver([&changed](const RecordKey& key) { changed.append(key); });
        QVERIFY(store.SaveAppointments(m_stage, {}).ok());
        QVERIFY(store.SaveCheckList(m_zurich, {}).ok());
        StageRecord stage = store.GetStage(m_stage);
        stage.place = QStringLiteral("Baixa");
        QVERIFY(store.SaveStage(stage).ok());
        QVERIFY(store.DeleteStage(m_stage).ok());
        QCOMPARE(changed, (QStringList{m_lisbon, m_zurich, m_lisbon, m_lisbon}));
        changed.clear();
        const RecordKey copy = store.CopyTravel(m_lisbon).key;
        QVERIFY(changed.contains(copy));
        changed.clear();
        QVERIFY(store.DeleteTravel(m_zurich).ok());
        QVERIFY(store.Refresh().ok());
        QCOMPARE(changed, (QStringList{m_zurich, QString()}));
        store.setChangeObserver({});
    }
};

QTEST_APPLESS_MAIN(FindTest)
#include "tst_find.moc"
