#include "ModeListCtrl.h"

#include "Bitmaps.h"
#include "IconListCtrl.h"
#include "ListHeaderCtrl.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

CModeListCtrl::CModeListCtrl(QAbstractItemModel* model, const Look& look, QWidget* parent)
    : QWidget(parent), m_report(new CListCtrl(this)), m_icons(new CIconListCtrl(this)),
      m_header(new CListHeaderCtrl(m_report))
{
    m_report->setHeader(m_header);
    m_report->setModel(model);
    m_report->setIconSize(QSize(16, 16));
    m_report->setMouseTracking(true);
    m_report->setWatermark(LoadBitmap(look.watermark));
    m_report->setColumnWidthRule(look.widths);
    m_header->setImages(LoadImageStrip(look.headerImages, 16), look.columnCount);

    m_icons->setModel(model);
    QItemSelectionModel* own = m_icons->selectionModel();
    m_icons->setSelectionModel(m_report->selectionModel());
    delete own;
    m_icons->setMouseTracking(true);
    m_icons->setWatermark(LoadBitmap(look.watermark));
    m_icons->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_report);
    layout->addWidget(m_icons);
    setFocusProxy(m_report);

    connect(m_header, &CListHeaderCtrl::sortRequested, this, &CModeListCtrl::sortRequested);
    connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CModeListCtrl::markChanged);
    for (QAbstractItemView* list :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        connect(list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.isValid())
                emit opened(index);
        });
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
    }
}

QAbstractItemView* CModeListCtrl::shownList() const
{
    if (m_mode == DisplayMode::Report)
        return m_report;
    return m_icons;
}

void CModeListCtrl::setDisplayMode(DisplayMode mode)
{
    m_mode = mode;
    const bool report = mode == DisplayMode::Report;
    // Asked before hiding the list that has it, which hands the focus on.
    const bool hadFocus = m_report->hasFocus() || m_icons->hasFocus();
    if (!report)
        m_icons->setDisplayMode(mode);
    m_report->setVisible(report);
    m_icons->setVisible(!report);
    setFocusProxy(shownList());
    if (hadFocus)
        setFocus();
}

void CModeListCtrl::scrollToMarked()
{
    shownList()->scrollTo(m_report->currentIndex());
}

bool CModeListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    const bool onViewport = watched == m_report->viewport() || watched == m_icons->viewport();
    // A right button press marks the row under it and opens a menu at once.
    if (event->type() == QEvent::MouseButtonPress && onViewport) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QAbstractItemView* list = watched == m_report->viewport()
                                          ? static_cast<QAbstractItemView*>(m_report)
                                          : m_icons;
            const QPoint at = mouse->position().toPoint();
            const QModelIndex index = list->indexAt(at);
            if (index.isValid())
                markRow(index.row());
            emit menuRequested(index, list->viewport()->mapToGlobal(at));
            return true;
        }
    }
    const bool onList = watched == m_report || watched == m_icons;
    // The menu key opens the menu of the marked row, or of no row.
    if (event->type() == QEvent::ContextMenu && onList &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        auto* list = static_cast<QAbstractItemView*>(watched);
        const QModelIndex current = list->currentIndex();
        const QPoint at = current.isValid() ? list->visualRect(current).center() : QPoint(5, 5);
        emit menuRequested(current, list->viewport()->mapToGlobal(at));
        return true;
    }
    // Enter opens the marked row, as a double click does.
    if (event->type() == QEvent::KeyPress && onList) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && markedRow() >= 0) {
            emit opened(m_report->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
