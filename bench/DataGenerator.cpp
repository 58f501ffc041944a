#include "DataGenerator.h"

#include "DataFolder.h"
#include "PreferenceDefaults.h"
#include "RecordCodec.h"
#include "TravelDataStore.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <memory>

namespace {

const QStringList places{
    QStringLiteral("Lisbon"),    QStringLiteral("Kyoto"),  QStringLiteral("Reykjavík"),
    QStringLiteral("Marrakesh"), QStringLiteral("Québec"), QStringLiteral("Valparaíso"),
    QStringLiteral("Tallinn"),   QStringLiteral("Hobart"), QStringLiteral("Zürich"),
    QStringLiteral("Cusco"),     QStringLiteral("Hanoi"),  QStringLiteral("Bergen"),
};
const QStringList sentences{
    QStringLiteral("Pick up the rental car at the airport desk before noon."),
    QStringLiteral("Hotel breakfast is served from seven; ask for a room facing the harbour."),
    QStringLiteral("Museum closed on Mondays, tickets cheaper online."),
    QStringLiteral("Meet Anna at the station café, platform 4."),
    QStringLiteral("Remember the adapter plugs and the spare camera battery."),
};

class Writer {
public:
    explicit Writer(const DataFolder& folder) : m_folder(folder) {}

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        ++result.files;
        result.bytes += bytes.size();
    }

    GeneratedFolder result;

private:
    const DataFolder& m_folder;
};

} // namespace

GeneratedFolder GenerateDataFolder(const QString& workingDirectory, int travelCount, quint32 seed)
{
    QRandomGenerator random(seed);
    const DataFolder folder(workingDirectory);
    QDir().mkpath(folder.path());
    Writer writer(folder);
    const auto pick = [&](const QStringList& list) { return list.at(random.bounded(list.size())); };

    for (int number = 1; number <= 7; ++number) {
        writer.write(DataFolder::preferenceFileName(number),
                     RecordCodec::encodePreferenceList(
                         DefaultPreferenceText(number).split(QLatin1Char('\n'))));
    }
    const QDateTime first(QDate(2019, 1, 1), QTime(0, 0));
    for (int t = 0; t < travelCount; ++t) {
        // Keys as the store makes them, one second apart, counter 10.
        const QDateTime created = first.addSecs(qint64(t) * 7);
        TravelRecord travel(DateTimeValue::fromDateTime(
            first.addSecs(qint64(random.bounded(6 * 365)) * 86400 + random.bounded(86400))));
        travel.key = MakeRecordKey(0, created);
        travel.end = DateTimeValue{travel.start.days + random.bounded(2, 21), 0};
        travel.title = QStringLiteral("%1 to %2")
                           .arg(pick({QStringLiteral("Holiday"), QStringLiteral("Business trip"),
                                      QStringLiteral("Weekend")}),
                                pick(places));
        travel.mode =
            pick({QStringLiteral("Flight"), QStringLiteral("Car"), QStringLiteral("Bus")});
        travel.from = pick(places);
        travel.destination = pick(places);
        travel.notes = pick(sentences) + QLatin1Char('\n') + pick(sentences);
        travel.priority = QStringLiteral("Medium");
        travel.status = QStringLiteral("Planned");
        travel.type = QStringLiteral("Personal");
        travel.ticketNo = QString::number(random.bounded(100000, 999999));
        travel.seatNo =
            QStringLiteral("LH%1/%2C").arg(random.bounded(100, 999)).arg(random.bounded(1, 40));
        travel.icon = qint32(random.bounded(113));
        writer.write(DataFolder::travelFileName(travel.key), RecordCodec::encodeTravel(travel));
        ++writer.result.travels;

        for (int s = 0; s < 4; ++s) {
            StageRecord stage(DateTimeValue{travel.start.days + s, 0});
            stage.travelKey = travel.key;
            stage.key = travel.key + MakeRecordKey(s + 1, created.addSecs(60));
            stage.title = QStringLiteral("Day %1 in %2").arg(s + 1).arg(pick(places));
            stage.place = pick(places);
            stage.notes = pick(sentences);
            writer.write(DataFolder::stageFileName(stage.key), RecordCodec::encodeStage(stage));
            ++writer.result.stages;
            QList<AppointmentRecord> appointments;
            for (int a = 0; a < 3; ++a) {
                AppointmentRecord appointment(DateTimeValue{stage.date.days + 0.1 * a, 0});
                appointment.subject = pick(sentences).left(30);
                appointment.location = pick(places);
                appointment.notes = pick(sentences);
                appointments.append(appointment);
            }
            writer.write(DataFolder::appointmentFileName(stage.key),
                         RecordCodec::encodeAppointments(RecordCodec::listOf(appointments)));
        }
        QList<CheckListItem> items;
        const QStringList master = DefaultPreferenceText(7).split(QLatin1Char('\n'));
        for (int i = 0; i < 12; ++i)
            items.append(CheckListItem{pick(master), qint32(random.bounded(2))});
        writer.write(DataFolder::checkListFileName(travel.key),
                     RecordCodec::encodeCheckList(RecordCodec::listOf(items)));
        QList<ExpenseRecord> lines;
        for (int i = 0; i < 6; ++i) {
            const double quantity = random.bounded(1, 5);
            const double price = random.bounded(100, 20000) / 100.0;
            lines.append(ExpenseRecord{QStringLiteral("Item %1").arg(i), quantity,
                                       QStringLiteral("Box"), price, quantity * price,
                                       qint32(random.bounded(2))});
        }
        writer.write(DataFolder::expensesFileName(travel.key),
                     RecordCodec::encodeExpenses(RecordCodec::listOf(lines)));
    }
    return writer.result;
}

void AddTravelsInOneMonth(TravelDataStore& store, int count, bool someInvalid, quint32 seed)
{
    auto clock = std::make_shared<QDateTime>(QDate(2030, 1, 1), QTime(0, 0));
    store.setClock([clock] { return *clock = clock->addSecs(1); });
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i) {
        TravelRecord travel(DateTimeValue::fromDate(QDate(2031, 5, 1 + int(random.bounded(30))),
                                                    QTime(int(random.bounded(24)), 0)));
        travel.title = QStringLiteral("Travel %1").arg(i);
        if (someInvalid && random.bounded(50) == 0)
            travel.start.status = DateTimeValue::Invalid;
        (void)store.AddTravel(travel);
    }
}
