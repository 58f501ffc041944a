#pragma once

#include "DisplayFormats.h"
#include "EditedListModel.h"
#include "Records.h"
#include "TravelDataStore.h"

#include <QCollator>

// The check list of one travel, one row per entry: its text, and a check box that marks
// it done. The model is the working copy of the list until the view saves it. Rows are
// sorted ascending by text as the locale compares (case-sensitive) when the list is
// filled and when an entry is added; a changed text stays where it is until then.
class CheckListModel : public EditedListModel {
    Q_OBJECT

public:
    explicit CheckListModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows these entries, sorted; nothing is unsaved afterwards.
    void setItems(QList<CheckListItem> items);
    void clear() override;
    const QList<CheckListItem>& items() const { return m_items; }

    // Adds an entry (again, when the list already holds it), sorts, and returns its row.
    int addItem(const QString& text);
    bool removeItem(int row);
    void sortRows();

    CheckListCount counts() const;
    // "Check List", or "Check List [checked/total]": the tree's caption of the list.
    bool isRecordRow(int row) const override { return row >= 0 && row < int(m_items.size()); }
    QString caption() const override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Check states tick and untick; a new text is trimmed, and one that is blank then
    // is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    void permuteRows(const QList<int>& order) override;

private:
    void changed();

    QCollator m_collator;
    QList<CheckListItem> m_items;
    // Whether the rows are in order; an edited text may have put one out of it.
    bool m_sorted = true;
};
