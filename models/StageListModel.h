#pragma once

#include "DisplayFormats.h"
#include "RecordListModel.h"
#include "Records.h"

#include <QCollator>

class TravelDataStore;

// The stages of one travel, one row each: title, date and place. The model owns the
// copies of the stages it shows. Rows are sorted by sort codes: 0 title, 1 date,
// 2 place ascending, 3 to 5 the same descending.
class StageListModel : public RecordListModel<StageRecord> {
    Q_OBJECT

public:
    enum Column { Title, Date, Place, ColumnCount };
    static constexpr int SortCodeCount = 2 * ColumnCount;

    explicit StageListModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows the stages of a travel, sorted by date.
    void fill(const TravelDataStore& store, const RecordKey& travelKey);
    // Shows these stages, sorted by date.
    void setStages(const RecordKey& travelKey, QList<StageRecord> stages);
    void clear();

    const RecordKey& travelKey() const { return m_travelKey; }
    const StageRecord& stage(int row) const { return record(row); }

    // -1, 0 or 1 as two stages compare for a sort code. Titles and places compare as the
    // locale does; a date whose status is not valid compares equal to every date.
    static int compare(const StageRecord& a, const StageRecord& b, int sortCode,
                       const QCollator& collator);

protected:
    int compareByCode(const StageRecord& a, const StageRecord& b, int sortCode,
                      const QCollator& collator) const override
    {
        return compare(a, b, sortCode, collator);
    }
    bool isSortable(const StageRecord& stage, int column) const override
    {
        return column != Date || stage.date.isValid();
    }
    QString text(const StageRecord& stage, int column) const override;
    QIcon icon(const StageRecord& stage) const override;
    QString iconModeToolTip(const StageRecord& stage) const override;
    QString caption(int column) const override;

private:
    RecordKey m_travelKey;
};
