#pragma once

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

class CListCtrl;

// Draws the cells of a detail sheet (travel detail, stage detail): grey behind the
// marked row and white behind the others, each cell's text 5 pixels in on one line in
// the model's font and colour, the heading centred across its row, and optional
// shortcut pictures at the right end of row 0.
class DetailSheetDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    DetailSheetDelegate(CListCtrl* list, QList<QPixmap> shortcuts = {});

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The x of each shortcut picture, from the right edge of row 0's value cell.
    static constexpr int ShortcutOffsets[3] = {154, 134, 114};
    // Which shortcut (1 to 3) an x position in row 0 hits, given the value cell's right
    // edge; 0 for none. The bounds are exclusive.
    static int shortcutAt(int x, int cellRight);

private:
    CListCtrl* m_list;
    QList<QPixmap> m_shortcuts;
};
