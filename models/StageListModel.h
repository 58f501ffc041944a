#pragma once

#include "DisplayFormats.h"
#include "Records.h"
#include "RowOrderModel.h"

#include <QCollator>

class TravelDataStore;

// The stages of one travel, one row each: title, date and place. The model owns the
// copies of the stages it shows. Rows are sorted by sort codes: 0 title, 1 date,
// 2 place ascending, 3 to 5 the same descending.
class StageListModel : public RowOrderModel {
    Q_OBJECT

public:
    enum Column { Title, Date, Place, ColumnCount };
    static constexpr int SortCodeCount = 6;

    explicit StageListModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows the stages of a travel, sorted by date.
    void fill(const TravelDataStore& store, const RecordKey& travelKey);
    // Shows these stages, sorted by date.
    void setStages(const RecordKey& travelKey, QList<StageRecord> stages);
    void clear();

    const RecordKey& travelKey() const { return m_travelKey; }
    const StageRecord& stage(int row) const { return m_stages[row]; }
    // The row of a stage; -1 when it is not listed.
    int rowOf(const RecordKey& key) const;
    // Sorts by a sort code; codes outside 0 to 5 keep the order.
    void sortByCode(int sortCode);

    // -1, 0 or 1 as two stages compare for a sort code. Titles and places compare as the
    // locale does; a date whose status is not valid compares equal to every date.
    static int compare(const StageRecord& a, const StageRecord& b, int sortCode,
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
    QString iconModeToolTip(const StageRecord& stage) const;

    DisplayFormats m_formats;
    RecordKey m_travelKey;
    QList<StageRecord> m_stages;
};
