#pragma once

#include "DisplayFormats.h"
#include "FindIndex.h"

#include <QAbstractTableModel>

// The matches of a search, one row each: what kind of record, its title, its date and the
// text that holds the match, whose place the MatchRole gives.
class FindResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Kind, Title, Date, Text, ColumnCount };
    // A QPoint of the match's start and length in the Text column's text.
    static constexpr int MatchRole = Qt::UserRole + 30;

    explicit FindResultsModel(const DisplayFormats& formats, QObject* parent = nullptr);

    void setMatches(QList<FindMatch> matches);
    const FindMatch& matchAt(int row) const { return m_matches[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // "Travel", "Stage", "Appointment", "Check list entry", "Expense".
    static QString KindCaption(FindKind kind);

private:
    DisplayFormats m_formats;
    QList<FindMatch> m_matches;
};
