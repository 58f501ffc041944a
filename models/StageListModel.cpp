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
    : RowOrderModel(parent), m_formats(formats)
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
    beginResetModel();
    m_travelKey = travelKey;
    m_stages = std::move(stages);
    endResetModel();
    sortByCode(Date);
}

void StageListModel::clear()
{
    beginResetModel();
    m_travelKey.clear();
    m_stages.clear();
    endResetModel();
}

int StageListModel::rowOf(const RecordKey& key) const
{
    for (int row = 0; row < int(m_stages.size()); ++row) {
        if (m_stages[row].key == key)
            return row;
    }
    return -1;
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

void StageListModel::sortByCode(int sortCode)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return;
    const QCollator collator(m_formats.locale());
    const bool byDate = sortCode % ColumnCount == Date;
    const auto sortable = [byDate](const StageRecord& stage) {
        return !byDate || stage.date.isValid();
    };
    const auto before = [&](const StageRecord& a, const StageRecord& b) {
        return compare(a, b, sortCode, collator) < 0;
    };
    applyRowOrder(ListRules::SortedOrder(m_stages, sortable, before));
}

void StageListModel::sort(int column, Qt::SortOrder order)
{
    if (column >= 0 && column < ColumnCount)
        sortByCode(order == Qt::AscendingOrder ? column : ColumnCount + column);
}

void StageListModel::permuteRows(const QList<int>& order)
{
    QList<StageRecord> sorted;
    sorted.reserve(order.size());
    for (int row : order)
        sorted.append(m_stages[row]);
    m_stages = std::move(sorted);
}

int StageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_stages.size());
}

int StageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
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

QVariant StageListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const StageRecord& stage = m_stages[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Title:
            return stage.title;
        case Date:
            return m_formats.FormatShortDate(stage.date);
        default:
            return stage.place;
        }
    case Qt::DecorationRole:
        return index.column() == Title ? QVariant(stageIcon()) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Title ? QVariant(int(Qt::AlignCenter)) : QVariant();
    case Qt::ToolTipRole:
        return stage.title;
    case ModelRole::IconModeToolTip:
        return iconModeToolTip(stage);
    case ModelRole::Key:
        return stage.key;
    default:
        return {};
    }
}

QVariant StageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section == Title ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Stage", "Date", "Place"};
    return QString::fromLatin1(captions[section]);
}
