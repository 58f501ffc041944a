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
    // The room a row needs as it is drawn: the tick, the blank and the text, bold.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Ticks change on a click anywhere in the row (the dialog toggles them), never twice.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override
    {
        return false;
    }

private:
    // The font a row's text is drawn in, from the list's font.
    static QFont rowFont(const QFont& listFont);
    // The x where the text starts: past the tick picture when there is one.
    int textIndent() const { return m_ticks.isEmpty() ? 0 : 20; }

    QListWidget* m_list;
    QList<QPixmap> m_ticks;
};
