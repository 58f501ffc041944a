#pragma once

#include "DisplayFormats.h"
#include "Records.h"

#include <QAbstractTableModel>
#include <QStringList>

// One travel as a sheet of labelled rows: a row for the shortcuts, the title, the
// travel's fields, and its notes in pieces of at most 50 characters, one per row.
class TravelDetailModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Label, Value, ColumnCount };
    // Row 2 is blank; the notes start the sheet's second page.
    enum Row {
        ShortcutRow = 0,
        TitleRow = 1,
        FromRow = 3,
        DestinationRow,
        StartRow,
        EndRow,
        ModeRow,
        PriorityRow,
        TypeRow,
        SeatRow,
        TicketRow,
        StatusRow,
        NotesRow,
        FixedRowCount
    };

    explicit TravelDetailModel(const DisplayFormats& formats, QObject* parent = nullptr);

    void setTravel(const TravelRecord& travel);
    const RecordKey& travelKey() const { return m_travel.key; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The columns have no captions (not the numbers a model shows by default).
    QVariant headerData(int, Qt::Orientation, int) const override { return {}; }

private:
    QString value(int row) const;

    DisplayFormats m_formats;
    TravelRecord m_travel;
    QStringList m_notes;
};
