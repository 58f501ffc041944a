#pragma once

#include <QAbstractTableModel>
#include <QList>

// A table model whose rows can be put in a new order, with the selection and every
// other persistent index following its row.
class RowOrderModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Sorts by one of the list's sort codes; a list without them keeps its order.
    virtual void sortByCode(int) {}

protected:
    // Puts the rows in `order` (old row numbers, new order first); the model moves its
    // rows in permuteRows.
    void applyRowOrder(const QList<int>& order);
    virtual void permuteRows(const QList<int>& order) = 0;
};
