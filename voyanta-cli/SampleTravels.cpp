#include "SampleTravels.h"

#include "DateTimeValue.h"
#include "SaveFile.h"
#include "TravelDataStore.h"
#include "TravelDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <functional>

namespace SampleTravels {

namespace {

// Calls visit on every object of the document, inner ones included, and keeps what it
// changed.
void walk(QJsonValue& value, const std::function<void(QJsonObject&)>& visit)
{
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        visit(object);
        for (auto it = object.begin(); it != object.end(); ++it) {
            QJsonValue inner = it.value();
            walk(inner, visit);
            it.value() = inner;
        }
        value = object;
    } else if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            QJsonValue inner = array.at(i);
            walk(inner, visit);
            array[i] = inner;
        }
        value = array;
    }
}

bool isValidDate(const QJsonObject& object)
{
    return object.value(QLatin1String("status")).toInt(-1) == DateTimeValue::Valid &&
           object.value(QLatin1String("days")).isDouble();
}

QDate firstOfMonth(QDate date)
{
    return QDate(date.year(), date.month(), 1);
}

} // namespace

QString Folder()
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {program.filePath(QStringLiteral("../share/voyanta/samples")),
                                     QStringLiteral(VOYANTA_SOURCE_SAMPLES)}) {
        if (QFileInfo(QDir(candidate).filePath(QStringLiteral("source"))).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

Outcome Make(const QString& samples, const QString& target, QDate month)
{
    const QDir sources(QDir(samples).filePath(QStringLiteral("source")));
    const QStringList names =
        sources.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    QList<QJsonValue> documents;
    double earliest = INFINITY;
    for (const QString& name : names) {
        QString reason;
        const auto bytes = ReadWholeFile(sources.filePath(name), &reason);
        if (!bytes)
            return Outcome::failure(sources.filePath(name), reason);
        const QJsonObject document = QJsonDocument::fromJson(*bytes).object();
        if (const QJsonObject start = document.value(QLatin1String("start")).toObject();
            isValidDate(start))
            earliest = std::min(earliest, start.value(QLatin1String("days")).toDouble());
        documents.append(document);
    }
    if (documents.isEmpty() || !std::isfinite(earliest))
        return Outcome::failure(sources.path(), QStringLiteral("no sample travel with a start"));
    const QDate first = DateTimeValue{earliest, DateTimeValue::Valid}.date();
    const qint64 shift = firstOfMonth(first).daysTo(firstOfMonth(month));

    const QDir targetFolder(target);
    const QString pictures = targetFolder.filePath(QStringLiteral("Pictures"));
    if (!QDir().mkpath(pictures))
        return Outcome::failure(pictures, QStringLiteral("the folder could not be made"));
    const QDir pictureSources(QDir(samples).filePath(QStringLiteral("pictures")));
    for (const QString& name : pictureSources.entryList(
             {QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
        QString reason;
        const auto bytes = ReadWholeFile(pictureSources.filePath(name), &reason);
        Outcome copied = bytes ? SaveFileAtomically(QDir(pictures).filePath(name), *bytes)
                               : Outcome::failure(pictureSources.filePath(name), reason);
        if (!copied.ok())
            return copied;
    }

    TravelDataStore store;
    store.setWorkingDirectory(target);
    if (Outcome ready = store.Refresh(); !ready.ok())
        return ready;
    for (QJsonValue& document : documents) {
        walk(document, [&](QJsonObject& object) {
            if (isValidDate(object))
                object.insert(QStringLiteral("days"),
                              object.value(QLatin1String("days")).toDouble() + double(shift));
            const QString link = object.value(QLatin1String("picturePath")).toString();
            if (!link.isEmpty() && !link.contains(QLatin1Char('/')))
                object.insert(QStringLiteral("picturePath"), QDir(pictures).filePath(link));
        });
        const ImportResult imported = ImportTravelDocument(store, document.toObject());
        if (!imported.badInput.isEmpty())
            return Outcome::failure(sources.path(), imported.badInput);
        if (!imported.outcome.ok())
            return imported.outcome;
    }
    return {};
}

} // namespace SampleTravels
