#pragma once

#include "UpperView.h"

class CListCtrl;
class QStandardItemModel;

// A view that lists its rows plainly in a report, for the lists that do not yet edit
// their rows in place.
class CPlainListView : public CUpperView {
    Q_OBJECT

public:
    CPlainListView(ViewKind kind, TravelDataStore& store, const QStringList& captions,
                   int watermark, QWidget* parent = nullptr);

    UpperViewState state() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    CListCtrl* list() const { return m_list; }

protected:
    // Empties the rows and appends one per entry; the key is kept with the row.
    void clearRows();
    void appendRow(const QStringList& texts, const QString& key = QString(),
                   std::optional<bool> checked = std::nullopt);
    QString keyOf(int row) const;

    QStandardItemModel* m_model;
    CListCtrl* m_list;
};
