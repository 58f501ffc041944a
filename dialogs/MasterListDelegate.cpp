#include "MasterListDelegate.h"

#include <QListWidget>
#include <QPainter>

MasterListDelegate::MasterListDelegate(QListWidget* list, QList<QPixmap> ticks)
    : QStyledItemDelegate(list), m_list(list), m_ticks(std::move(ticks))
{
}

void MasterListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    painter->save();
    const bool marked = m_list->currentIndex() == index;
    painter->fillRect(option.rect, marked ? Qt::black : Qt::white);
    QRect text = option.rect;
    if (!m_ticks.isEmpty()) {
        const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        const QPixmap& tick = m_ticks.value(ticked ? 1 : 0);
        const QRect box(text.left() + 2, text.top() + (text.height() - 16) / 2, 16, 16);
        // The tick box keeps a white ground on the marked row, where it stays readable.
        if (marked)
            painter->fillRect(box, Qt::white);
        painter->drawPixmap(box.topLeft(), tick);
        text.setLeft(text.left() + 20);
    }
    QFont bold = option.font;
    bold.setBold(true);
    bold.setPixelSize(13);
    painter->setFont(bold);
    painter->setPen(marked ? Qt::white : Qt::black);
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                      QLatin1Char(' ') + index.data().toString());
    painter->restore();
}
