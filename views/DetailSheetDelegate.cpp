#include "DetailSheetDelegate.h"

#include "DetailSheetStyle.h"
#include "ListCtrl.h"

#include <QPainter>

DetailSheetDelegate::DetailSheetDelegate(CListCtrl* list, QList<QPixmap> shortcuts)
    : QStyledItemDelegate(list), m_list(list), m_shortcuts(std::move(shortcuts))
{
}

int DetailSheetDelegate::shortcutAt(int x, int cellRight)
{
    for (int i = 0; i < 3; ++i) {
        const int left = cellRight - ShortcutOffsets[i];
        if (x > left && x < left + 16)
            return i + 1;
    }
    return 0;
}

void DetailSheetDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    painter->save();
    const QRect cell = option.rect;
    const bool marked = index.row() == m_list->markedRow();
    painter->fillRect(QRect(cell.left(), cell.top(), cell.width() + 100, cell.height() - 1),
                      marked ? DetailSheetStyle::MarkedBackground() : QColor(Qt::white));
    QFont font = option.font;
    if (const QVariant own = index.data(Qt::FontRole); own.isValid())
        font = qvariant_cast<QFont>(own).resolve(option.font);
    painter->setFont(font);
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    const QString text = index.data().toString().replace(QLatin1String("\r\n"), QLatin1String(" "));
    if (index.data(DetailSheetStyle::HeadingRole).toBool()) {
        const QRect row(5, cell.top(), cell.right() - 5, cell.height());
        painter->drawText(row, Qt::AlignCenter | Qt::TextSingleLine, text);
    } else {
        painter->drawText(cell.adjusted(5, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    if (index.row() == 0 && index.column() == 1) {
        for (int i = 0; i < 3 && i < m_shortcuts.size(); ++i)
            painter->drawPixmap(cell.right() - ShortcutOffsets[i], cell.top() - 1, m_shortcuts[i]);
    }
    painter->restore();
}
