#include "ListHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor background(0xF0, 0xF0, 0xF0);
const QColor text(0x00, 0x00, 0x00);
const QColor line(0x82, 0x82, 0x82);

} // namespace

CListHeaderCtrl::CListHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setMinimumHeight(22);
}

void CListHeaderCtrl::setImages(const QList<QPixmap>& images, int columnCount)
{
    m_images = images;
    m_columnCount = columnCount;
    m_sets = QList<int>(columnCount, 0);
    viewport()->update();
}

int CListHeaderCtrl::clickColumn(int column)
{
    if (column < 0 || column >= m_columnCount)
        return -1;
    const int set = m_sets[column] == 1 ? 2 : 1;
    m_sets.fill(0);
    m_sets[column] = set;
    viewport()->update();
    return set == 1 ? column : m_columnCount + column;
}

void CListHeaderCtrl::showFirstOrder(int column)
{
    m_sets.fill(0);
    if (column >= 0 && column < m_columnCount)
        m_sets[column] = 1;
    viewport()->update();
}

void CListHeaderCtrl::mousePressEvent(QMouseEvent* event)
{
    const int column = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && column >= 0) {
        const int code = clickColumn(column);
        if (code >= 0)
            emit sortRequested(code);
    }
    QHeaderView::mousePressEvent(event);
}

void CListHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect.adjusted(1, 0, 0, 0), background);
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(14);
    painter->setFont(bold);
    painter->setPen(text);
    const QString caption =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    const int image = imageIndex(logicalIndex);
    if (image >= 0 && image < m_images.size())
        painter->drawPixmap(rect.left() + 3, rect.top(), m_images[image]);
    painter->setPen(line);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->restore();
}
