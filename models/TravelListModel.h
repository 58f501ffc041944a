#pragma once

#include "DisplayFormats.h"
#include "RecordListModel.h"
#include "Records.h"

#include <QCollator>
#include <QDate>

class TravelDataStore;

// The travels of one month, one row each, with the travel list's five columns. The model
// owns the copies of the travels it shows. Rows are sorted by sort codes: 0 title,
// 1 from, 2 destination, 3 start, 4 end ascending, 5 to 9 the same descending.
class TravelListModel : public RecordListModel<TravelRecord> {
    Q_OBJECT

public:
    enum Column { Name, From, Destination, StartDate, EndDate, ColumnCount };
    static constexpr int SortCodeCount = 2 * ColumnCount;

    explicit TravelListModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows the travels that start in the month and year of `month`, sorted by title.
    void fill(const TravelDataStore& store, QDate month);
    // Shows these travels, sorted by title.
    void setTravels(QList<TravelRecord> travels);
    void clear() { setRecords({}); }

    const TravelRecord& travel(int row) const { return record(row); }

    // -1, 0 or 1 as two travels compare for a sort code. Titles and places compare as
    // the locale does; a date whose status is not valid compares equal to every date.
    static int compare(const TravelRecord& a, const TravelRecord& b, int sortCode,
                       const QCollator& collator);

protected:
    int compareByCode(const TravelRecord& a, const TravelRecord& b, int sortCode,
                      const QCollator& collator) const override
    {
        return compare(a, b, sortCode, collator);
    }
    bool isSortable(const TravelRecord& travel, int column) const override;
    QString text(const TravelRecord& travel, int column) const override;
    QIcon icon(const TravelRecord& travel) const override;
    QString iconModeToolTip(const TravelRecord& travel) const override;
    QString caption(int column) const override;
};
