#include "RowOrderModel.h"

void RowOrderModel::applyRowOrder(const QList<int>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newRowOf(order.size());
    for (int row = 0; row < int(order.size()); ++row)
        newRowOf[order[row]] = row;
    permuteRows(order);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = index.row() < newRowOf.size() ? newRowOf[index.row()] : index.row();
        after.append(this->index(row, index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
