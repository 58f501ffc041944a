// Writes the seed corpus of the record fuzzer: one valid file of every kind, each
// behind the byte that names its kind.

#include "CurrencySideFile.h"
#include "FuzzInput.h"
#include "PreferenceDefaults.h"
#include "RecordCodec.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

void writeSeed(const QDir& corpus, const char* name, std::uint8_t selector, const QByteArray& bytes)
{
    QFile file(corpus.filePath(QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly))
        std::exit(1);
    file.write(QByteArray(1, char(selector)) + bytes);
}

void writeSeed(const QDir& corpus, const char* name, RecordFileKind kind, const QByteArray& bytes)
{
    writeSeed(corpus, name, std::uint8_t(kind), bytes);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds CORPUS_DIR\n");
        return 2;
    }
    QDir corpus(QString::fromLocal8Bit(argv[1]));
    corpus.mkpath(QStringLiteral("."));

    TravelRecord travel(DateTimeValue::fromDate(QDate(2006, 3, 5), QTime(9, 1, 21)));
    travel.key = QStringLiteral("2006030509012110");
    travel.title = QString::fromUtf16(u"Caf\u00e9 \u6771\u4eac");
    travel.notes = QStringLiteral("Line one\nLine two");
    travel.icon = 12;
    writeSeed(corpus, "travel", RecordFileKind::Travel, RecordCodec::encodeTravel(travel));

    StageRecord stage(DateTimeValue{-1.25, 0});
    stage.travelKey = travel.key;
    stage.key = travel.key + QStringLiteral("2006030509050010");
    stage.title = QStringLiteral("Old town");
    writeSeed(corpus, "stage", RecordFileKind::Stage, RecordCodec::encodeStage(stage));

    AppointmentRecord appointment(DateTimeValue{38781.5, 0});
    appointment.subject = QStringLiteral("Lunch");
    appointment.location = QString(300, QLatin1Char('x'));
    writeSeed(corpus, "appointments", RecordFileKind::Appointments,
              RecordCodec::encodeAppointments(
                  RecordCodec::listOf(QList<AppointmentRecord>{appointment, appointment})));
    writeSeed(corpus, "checklist", RecordFileKind::CheckList,
              RecordCodec::encodeCheckList(RecordCodec::listOf(QList<CheckListItem>{
                  {QStringLiteral("Passport"), 1}, {QStringLiteral("Visa"), 7}})));
    writeSeed(corpus, "expenses", RecordFileKind::Expenses,
              RecordCodec::encodeExpenses(RecordCodec::listOf(QList<ExpenseRecord>{
                  {QStringLiteral("Food"), 2, QStringLiteral("Kg"), 6.25, 12.5, 1}})));
    writeSeed(corpus, "preferences", RecordFileKind::Preference,
              RecordCodec::encodePreferenceList(DefaultPreferenceText(1).split(QLatin1Char('\n'))));
    writeSeed(corpus, "marker", RecordFileKind::Marker, RecordCodec::encodeMarker(1));
    ImageLink link;
    link.picturePath = QStringLiteral("/home/pictures/sea.jpg");
    link.displayTitle = QStringLiteral("Sea");
    StoredImageCategory category{{QStringLiteral("Beach"), {}, 1}, {link}};
    writeSeed(corpus, "pictures", RecordFileKind::ImageCategories,
              RecordCodec::encodeImageCategories({category, category}));
    const CurrencyEntry tea{1, QStringLiteral("Tea"), *Decimal::parse(u"11.78"),
                            ForeignPrice{QStringLiteral("EUR"), *Decimal::parse(u"12.50"),
                                         *Decimal::parse(u"0.9424"), QDate(2024, 5, 3),
                                         ForeignPrice::RateFrom::Typed},
                            QString()};
    writeSeed(corpus, "currencies", FuzzedSideFile,
              CurrencySide::Encode(CurrencySideFile{QStringLiteral("CHF"), {tea}, {tea}}));
    return 0;
}
