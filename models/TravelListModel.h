#pragma once

#include "DisplayFormats.h"
#include "Records.h"
#include "RowOrderModel.h"

#include <QCollator>
#include <QDate>

class TravelDataStore;

// The travels of one month, one row each, with the travel list's five columns. The model
// owns the copies of the travels it shows. Rows are sorted by sort codes: 0 title,
// 1 from, 2 destination, 3 start, 4 end ascending, 5 to 9 the same descending.
class TravelListModel : public RowOrderModel {
    Q_OBJECT

public:
    enum Column { Name, From, Destination, StartDate, EndDate, ColumnCount };
    static constexpr int SortCodeCount = 10;

    explicit TravelListModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows the travels that start in the month and year of `month`, sorted by title.
    void fill(const TravelDataStore& store, QDate month);
    // Shows these travels, sorted by title.
    void setTravels(QList<TravelRecord> travels);
    void clear();

    const TravelRecord& travel(int row) const { return m_travels[row]; }
    // The row of a travel; -1 when it is not listed.
    int rowOf(const RecordKey& key) const;
    // Sorts by a sort code; codes outside 0 to 9 keep the order.
    void sortByCode(int sortCode);

    // -1, 0 or 1 as two travels compare for a sort code. Titles and places compare as
    // the locale does; a date whose status is not valid compares equal to every date.
    static int compare(const TravelRecord& a, const TravelRecord& b, int sortCode,
                       const QCollator& collator);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    void permuteRows(const QList<int>& order) override;

private:
    QString iconModeToolTip(const TravelRecord& travel) const;

    DisplayFormats m_formats;
    QList<TravelRecord> m_travels;
};
