#include "TravelDetailListView.h"

#include "Bitmaps.h"
#include "CommandIds.h"
#include "ListLayout.h"
#include "TravelDataStore.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

const QColor markedBackground(0xE9, 0xE9, 0xE9);
const QColor valueColour(0x02, 0x42, 0x6F);

// Draws every cell itself: grey behind the marked row, bold labels, blue values, the
// title bold, underlined and centred over the row, the shortcuts at row 0's right end.
class DetailDelegate : public QStyledItemDelegate {
public:
    DetailDelegate(QTreeWidget* list, QList<QPixmap> shortcuts)
        : QStyledItemDelegate(list), m_list(list), m_shortcuts(std::move(shortcuts))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        const int row = index.row();
        const int marked = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
        const QRect cell = option.rect;
        painter->fillRect(QRect(cell.left(), cell.top(), cell.width() + 100, cell.height() - 1),
                          row == marked ? markedBackground : Qt::white);
        QFont font = option.font;
        if (index.column() == 0 || row == 1)
            font.setBold(true);
        if (row == 1 && index.column() == 1)
            font.setUnderline(true);
        painter->setFont(font);
        painter->setPen(index.column() == 0 ? Qt::black : valueColour);
        const QString text = index.data().toString();
        if (row == 1 && index.column() == 1) {
            const QRect whole(5, cell.top(), cell.right() - 5, cell.height());
            painter->drawText(whole, Qt::AlignCenter | Qt::TextSingleLine, text);
        } else {
            painter->drawText(cell.adjusted(5, 0, 0, 0),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
        if (row == 0 && index.column() == 1) {
            for (int i = 0; i < 3 && i < m_shortcuts.size(); ++i) {
                painter->drawPixmap(cell.right() - CTravelDetailListView::shortcutOffsets[i],
                                    cell.top() - 1, m_shortcuts[i]);
            }
        }
        painter->restore();
    }

private:
    QTreeWidget* m_list;
    QList<QPixmap> m_shortcuts;
};

} // namespace

CTravelDetailListView::CTravelDetailListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(2, store, parent)
{
    m_list->setHeaderHidden(true);
    m_list->setColumnCount(2);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setItemDelegate(
        new DetailDelegate(m_list, LoadImageStrip(Bitmaps::DetailShortcuts, 16)));
    m_list->setWatermark(LoadBitmap(Bitmaps::TravelDetailWatermark));
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this] { emit commandRequested(Cmd::TravelModify); });
}

void CTravelDetailListView::load(const TreeSelection& selection)
{
    m_travelKey = selection.travelKey;
    m_list->clear();
    const DisplayFormats& formats = m_store.displayFormats();
    const TravelRecord t = m_store.GetTravel(selection.travelKey);
    const QStringList notes = ListLayout::NotesPieces(t.notes);
    const std::pair<const char*, QString> rows[] = {
        {"", QString()},
        {"", t.title},
        {"", QString()},
        {"From ", t.from},
        {"Destination ", t.destination},
        {"Start Date", formats.FormatShortDate(t.start)},
        {"End Date ", formats.FormatShortDate(t.end)},
        {"Mode ", t.mode},
        {"Priority", t.priority},
        {"Type ", t.type},
        {"Seat No ", t.seatNo},
        {"Ticket No", t.ticketNo},
        {"Status ", t.status},
        {"Notes ", notes.value(0)},
    };
    for (const auto& [label, value] : rows)
        new QTreeWidgetItem(m_list, {QLatin1String(label), value});
    for (qsizetype i = 1; i < notes.size(); ++i)
        new QTreeWidgetItem(m_list, {QString(), notes[i]});
    emit stateChanged();
}

int CTravelDetailListView::shortcutAt(int x, int rowRight)
{
    for (int i = 0; i < 3; ++i) {
        const int left = rowRight - shortcutOffsets[i];
        if (x > left && x < left + 16)
            return i + 1;
    }
    return 0;
}

bool CTravelDetailListView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton)
                return true; // right clicks change nothing here
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            QTreeWidgetItem* first = m_list->topLevelItem(0);
            if (mouse->button() == Qt::LeftButton && first && m_list->currentItem() == first &&
                m_list->visualItemRect(first).contains(QPoint(1, at.y()))) {
                const int rowRight = m_list->visualRect(m_list->indexFromItem(first, 1)).right();
                if (const int child = shortcutAt(at.x(), rowRight))
                    emit selectPathRequested(m_travelKey, child, RecordKey());
            }
            m_list->viewport()->update();
        }
    }
    return CUpperView::eventFilter(watched, event);
}

void CTravelDetailListView::resizeEvent(QResizeEvent* event)
{
    CUpperView::resizeEvent(event);
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, qMax(0, m_list->viewport()->width() - 150));
    m_list->viewport()->update();
}
