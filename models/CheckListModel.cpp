#include "CheckListModel.h"

#include "CheckListTotals.h"

#include <QFont>

#include <algorithm>
#include <numeric>

CheckListModel::CheckListModel(const DisplayFormats& formats, QObject* parent)
    : EditedListModel(parent), m_collator(formats.locale())
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    startCaption();
}

void CheckListModel::setItems(QList<CheckListItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
    m_sorted = false;
    sortRows();
    rowsFilled();
}

void CheckListModel::clear()
{
    setItems({});
}

void CheckListModel::sortRows()
{
    if (m_sorted)
        return;
    // Sort keys make each comparison a plain byte comparison: a long list sorts quickly.
    QList<QCollatorSortKey> keys;
    keys.reserve(m_items.size());
    for (const CheckListItem& item : std::as_const(m_items))
        keys.append(m_collator.sortKey(item.text));
    QList<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    applyRowOrder(order);
    m_sorted = true;
}

int CheckListModel::addItem(const QString& text)
{
    int row = int(m_items.size());
    if (m_sorted) {
        // Into its place at once: after every entry that is not greater.
        const auto place =
            std::upper_bound(m_items.cbegin(), m_items.cend(), text,
                             [this](const QString& value, const CheckListItem& item) {
                                 return m_collator.compare(value, item.text) < 0;
                             });
        row = int(place - m_items.cbegin());
    }
    beginInsertRows({}, row, row);
    m_items.insert(row, CheckListItem{text, 0});
    endInsertRows();
    if (!m_sorted) {
        const QPersistentModelIndex added = index(row, 0);
        sortRows();
        row = added.row();
    }
    changed();
    return row;
}

bool CheckListModel::removeItem(int row)
{
    if (row < 0 || row >= m_items.size())
        return false;
    beginRemoveRows({}, row, row);
    m_items.removeAt(row);
    endRemoveRows();
    changed();
    return true;
}

CheckListCount CheckListModel::counts() const
{
    return CheckListTotals::Count(m_items);
}

QString CheckListModel::caption() const
{
    return CheckListTotals::Caption(counts());
}

void CheckListModel::changed()
{
    rowsEdited();
}

void CheckListModel::permuteRows(const QList<int>& order)
{
    QList<CheckListItem> sorted;
    sorted.reserve(order.size());
    for (int row : order)
        sorted.append(m_items[row]);
    m_items = std::move(sorted);
}

int CheckListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int CheckListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const CheckListItem& item = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.text;
    case Qt::CheckStateRole:
        return item.checked != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::FontRole: {
        // Open entries bold; done ones normal and italic.
        QFont font;
        font.setBold(item.checked == 0);
        font.setItalic(item.checked != 0);
        return font;
    }
    default:
        return {};
    }
}

bool CheckListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        isReadOnly())
        return false;
    CheckListItem& item = m_items[index.row()];
    if (role == Qt::CheckStateRole) {
        const qint32 checked = value.toInt() == Qt::Checked ? 1 : 0;
        if ((item.checked != 0) == (checked != 0))
            return true;
        item.checked = checked;
    } else if (role == Qt::EditRole) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return false;
        if (text == item.text)
            return true;
        item.text = text;
        m_sorted = false;
    } else {
        return false;
    }
    emit dataChanged(index, index);
    changed();
    return true;
}

Qt::ItemFlags CheckListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    return editableFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                         Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren);
}

QVariant CheckListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section != 0)
        return {};
    if (role == Qt::DisplayRole)
        return QStringLiteral("Check List Items");
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}
