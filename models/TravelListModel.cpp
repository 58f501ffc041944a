#include "TravelListModel.h"

#include "ListRules.h"
#include "ModelRoles.h"
#include "TravelDataStore.h"
#include "TravelIcons.h"

TravelListModel::TravelListModel(const DisplayFormats& formats, QObject* parent)
    : RecordListModel(formats, ColumnCount, parent)
{
}

void TravelListModel::fill(const TravelDataStore& store, QDate month)
{
    QList<TravelRecord> travels;
    for (const RecordKey& key : store.TravelsStartingInUnsorted(DateTimeValue::fromDate(month)))
        travels.append(store.GetTravel(key));
    setTravels(std::move(travels));
}

void TravelListModel::setTravels(QList<TravelRecord> travels)
{
    setRecords(std::move(travels));
    sortByCode(Name);
}

int TravelListModel::compare(const TravelRecord& a, const TravelRecord& b, int sortCode,
                             const QCollator& collator)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return 0;
    int order = 0;
    switch (sortCode % ColumnCount) {
    case Name:
        order = ListRules::Sign(collator.compare(a.title, b.title));
        break;
    case From:
        order = ListRules::Sign(collator.compare(a.from, b.from));
        break;
    case Destination:
        order = ListRules::Sign(collator.compare(a.destination, b.destination));
        break;
    case StartDate:
        order = ListRules::CompareDates(a.start, b.start);
        break;
    default:
        order = ListRules::CompareDates(a.end, b.end);
        break;
    }
    return sortCode >= ColumnCount ? -order : order;
}

QString TravelListModel::iconModeToolTip(const TravelRecord& travel) const
{
    QString tip = travel.title;
    if (!travel.from.isEmpty() || !travel.destination.isEmpty())
        tip += QLatin1Char('\n') + travel.from + QLatin1Char('\n') + travel.destination;
    tip += QLatin1Char('\n') + m_formats.FormatShortDate(travel.start) + QLatin1Char('\n') +
           m_formats.FormatShortDate(travel.end);
    return tip;
}

bool TravelListModel::isSortable(const TravelRecord& travel, int column) const
{
    if (column == StartDate)
        return travel.start.isValid();
    if (column == EndDate)
        return travel.end.isValid();
    return true;
}

QString TravelListModel::text(const TravelRecord& travel, int column) const
{
    switch (column) {
    case Name:
        return travel.title;
    case From:
        return travel.from;
    case Destination:
        return travel.destination;
    case StartDate:
        return m_formats.FormatShortDate(travel.start);
    default:
        return m_formats.FormatShortDate(travel.end);
    }
}

QIcon TravelListModel::icon(const TravelRecord& travel) const
{
    return TravelIcon(travel.icon);
}

QString TravelListModel::caption(int column) const
{
    static const char* const captions[ColumnCount] = {"Name", "From", "Destination", "Start Date",
                                                      "End Date"};
    return QString::fromLatin1(captions[column]);
}
