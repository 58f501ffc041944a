#pragma once

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

class QListWidget;

// Rows as the master lists draw them: bold, a blank before the text, the marked row
// white on black; in the import list with its tick picture.
class MasterListDelegate : public QStyledItemDelegate {
public:
    MasterListDelegate(QListWidget* list, QList<QPixmap> ticks);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Ticks change on a click anywhere in the row (the dialog toggles them), never twice.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override
    {
        return false;
    }

private:
    QListWidget* m_list;
    QList<QPixmap> m_ticks;
};
