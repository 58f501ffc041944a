#include "MasterListDelegate.h"

#include <QListWidget>
#include <QPainter>

#include <algorithm>

MasterListDelegate::MasterListDelegate(QListWidget* list, QList<QPixmap> ticks)
    : QStyledItemDelegate(list), m_list(list), m_ticks(std::move(ticks))
{
}

QFont MasterListDelegate::rowFont(const QFont& listFont)
{
    QFont bold = listFont;
    bold.setBold(true);
    bold.setPixelSize(13);
    return bold;
}

QSize MasterListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const QFontMetrics metrics(rowFont(option.font));
    const QSize plain = QStyledItemDelegate::sizeHint(option, index);
    const int width =
        textIndent() + metrics.horizontalAdvance(QLatin1Char(' ') + index.data().toString()) + 4;
    const int height = std::max({plain.height(), metrics.height() + 2, m_ticks.isEmpty() ? 0 : 18});
    return {width, height};
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
        text.setLeft(text.left() + textIndent());
    }
    painter->setFont(rowFont(option.font));
    painter->setPen(marked ? Qt::white : Qt::black);
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                      QLatin1Char(' ') + index.data().toString());
    painter->restore();
}
