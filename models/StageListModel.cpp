#include "StageListModel.h"

#include "Bitmaps.h"
#include "ListRules.h"
#include "ModelRoles.h"
#include "TravelDataStore.h"

#include <QIcon>

namespace {

// Every stage shows the same picture, small or large as the mode asks.
QIcon stageIcon()
{
    static const QIcon icon = [] {
        QIcon made;
        if (const QPixmap small = LoadBitmap(Bitmaps::StageIcon16); !small.isNull())
            made.addPixmap(small);
        if (const QPixmap large = LoadBitmap(Bitmaps::StageIcon32); !large.isNull())
            made.addPixmap(large);
        return made;
    }();
    return icon;
}

} // namespace

StageListModel::StageListModel(const DisplayFormats& formats, QObject* parent)
    : RecordListModel(formats, ColumnCount, parent)
{
}

void StageListModel::fill(const TravelDataStore& store, const RecordKey& travelKey)
{
    QList<StageRecord> stages;
    const QList<RecordKey> keys = store.StagesOfUnsorted(travelKey);
    stages.reserve(keys.size());
    for (const RecordKey& key : keys)
        stages.append(store.GetStage(key));
    setStages(travelKey, std::move(stages));
}

void StageListModel::setStages(const RecordKey& travelKey, QList<StageRecord> stages)
{
    m_travelKey = travelKey;
    setRecords(std::move(stages));
    sortByCode(Date);
}

void StageListModel::clear()
{
    m_travelKey.clear();
    setRecords({});
}

int StageListModel::compare(const StageRecord& a, const StageRecord& b, int sortCode,
                            const QCollator& collator)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return 0;
    int order = 0;
    switch (sortCode % ColumnCount) {
    case Title:
        order = ListRules::Sign(collator.compare(a.title, b.title));
        break;
    case Date:
        order = ListRules::CompareDates(a.date, b.date);
        break;
    default:
        order = ListRules::Sign(collator.compare(a.place, b.place));
        break;
    }
    return sortCode >= ColumnCount ? -order : order;
}

QString StageListModel::iconModeToolTip(const StageRecord& stage) const
{
    QString tip = stage.title;
    if (const QString date = m_formats.FormatShortDate(stage.date); !date.isEmpty())
        tip += QLatin1Char('\n') + date;
    if (!stage.place.isEmpty())
        tip += QLatin1Char('\n') + stage.place;
    return tip;
}

QString StageListModel::text(const StageRecord& stage, int column) const
{
    switch (column) {
    case Title:
        return stage.title;
    case Date:
        return m_formats.FormatShortDate(stage.date);
    default:
        return stage.place;
    }
}

QIcon StageListModel::icon(const StageRecord&) const
{
    return stageIcon();
}

QString StageListModel::caption(int column) const
{
    static const char* const captions[ColumnCount] = {"Stage", "Date", "Place"};
    return QString::fromLatin1(captions[column]);
}
