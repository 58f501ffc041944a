#pragma once

#include "DisplayFormats.h"
#include "ListRules.h"
#include "ModelRoles.h"
#include "RecordKey.h"
#include "RowOrderModel.h"

#include <QCollator>
#include <QIcon>

// Records of one kind that the model owns, one a row, with the record's picture and
// title in the first column. Rows are sorted by sort codes: each column ascending, then
// each descending; a date that is not valid stays in its place.
template <typename Record> class RecordListModel : public RowOrderModel {
public:
    RecordListModel(const DisplayFormats& formats, int columnCount, QObject* parent)
        : RowOrderModel(parent), m_formats(formats), m_columnCount(columnCount)
    {
    }

    const Record& record(int row) const { return m_records[row]; }
    // The row of a record; -1 when it is not listed.
    int rowOf(const RecordKey& key) const
    {
        for (int row = 0; row < int(m_records.size()); ++row) {
            if (m_records[row].key == key)
                return row;
        }
        return -1;
    }

    // Sorts by a sort code; codes outside the columns' two orders keep the order.
    void sortByCode(int sortCode) override
    {
        if (sortCode < 0 || sortCode >= 2 * m_columnCount)
            return;
        const QCollator collator(m_formats.locale());
        const int column = sortCode % m_columnCount;
        const auto sortable = [&](const Record& record) { return isSortable(record, column); };
        const auto before = [&](const Record& a, const Record& b) {
            return compareByCode(a, b, sortCode, collator) < 0;
        };
        applyRowOrder(ListRules::SortedOrder(m_records, sortable, before));
    }

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override
    {
        if (column >= 0 && column < m_columnCount)
            sortByCode(order == Qt::AscendingOrder ? column : m_columnCount + column);
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_records.size());
    }

    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_columnCount;
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
            return {};
        const Record& record = m_records[index.row()];
        const bool first = index.column() == 0;
        switch (role) {
        case Qt::DisplayRole:
            return text(record, index.column());
        case Qt::DecorationRole:
            return first ? QVariant(icon(record)) : QVariant();
        case Qt::TextAlignmentRole:
            return first ? QVariant(int(Qt::AlignCenter)) : QVariant();
        case Qt::ToolTipRole:
            return record.title;
        case ModelRole::IconModeToolTip:
            return iconModeToolTip(record);
        case ModelRole::Key:
            return record.key;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_columnCount)
            return {};
        if (role == Qt::TextAlignmentRole)
            return section == 0 ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
        return role == Qt::DisplayRole ? QVariant(caption(section)) : QVariant();
    }

protected:
    // -1, 0 or 1 as two records compare for a sort code.
    virtual int compareByCode(const Record& a, const Record& b, int sortCode,
                              const QCollator& collator) const = 0;
    // Whether a record takes part in sorting by a column (dates that are not valid do not).
    virtual bool isSortable(const Record& record, int column) const = 0;
    virtual QString text(const Record& record, int column) const = 0;
    virtual QIcon icon(const Record& record) const = 0;
    virtual QString iconModeToolTip(const Record& record) const = 0;
    virtual QString caption(int column) const = 0;

    void setRecords(QList<Record> records)
    {
        beginResetModel();
        m_records = std::move(records);
        endResetModel();
    }

    void permuteRows(const QList<int>& order) override
    {
        QList<Record> sorted;
        sorted.reserve(order.size());
        for (int row : order)
            sorted.append(m_records[row]);
        m_records = std::move(sorted);
    }

    DisplayFormats m_formats;

private:
    int m_columnCount;
    QList<Record> m_records;
};
