#include "TravelListModel.h"

#include "ListRules.h"
#include "ModelRoles.h"
#include "TravelDataStore.h"
#include "TravelIcons.h"

TravelListModel::TravelListModel(const DisplayFormats& formats, QObject* parent)
    : RowOrderModel(parent), m_formats(formats)
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
    beginResetModel();
    m_travels = std::move(travels);
    endResetModel();
    sortByCode(0);
}

void TravelListModel::clear()
{
    beginResetModel();
    m_travels.clear();
    endResetModel();
}

int TravelListModel::rowOf(const RecordKey& key) const
{
    for (int row = 0; row < int(m_travels.size()); ++row) {
        if (m_travels[row].key == key)
            return row;
    }
    return -1;
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

void TravelListModel::sortByCode(int sortCode)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return;
    const QCollator collator(m_formats.locale());
    const int column = sortCode % ColumnCount;
    const auto sortable = [column](const TravelRecord& travel) {
        if (column == StartDate)
            return travel.start.isValid();
        if (column == EndDate)
            return travel.end.isValid();
        return true;
    };
    const auto before = [&](const TravelRecord& a, const TravelRecord& b) {
        return compare(a, b, sortCode, collator) < 0;
    };
    applyRowOrder(ListRules::SortedOrder(m_travels, sortable, before));
}

void TravelListModel::sort(int column, Qt::SortOrder order)
{
    if (column >= 0 && column < ColumnCount)
        sortByCode(order == Qt::AscendingOrder ? column : ColumnCount + column);
}

void TravelListModel::permuteRows(const QList<int>& order)
{
    QList<TravelRecord> sorted;
    sorted.reserve(order.size());
    for (int row : order)
        sorted.append(m_travels[row]);
    m_travels = std::move(sorted);
}

int TravelListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_travels.size());
}

int TravelListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
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

QVariant TravelListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TravelRecord& travel = m_travels[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
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
    case Qt::DecorationRole:
        return index.column() == Name ? QVariant(TravelIcon(travel.icon)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Name ? QVariant(int(Qt::AlignCenter)) : QVariant();
    case Qt::ToolTipRole:
        return travel.title;
    case ModelRole::IconModeToolTip:
        return iconModeToolTip(travel);
    case ModelRole::Key:
        return travel.key;
    default:
        return {};
    }
}

QVariant TravelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section == Name ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Name", "From", "Destination", "Start Date",
                                                      "End Date"};
    return QString::fromLatin1(captions[section]);
}
