#include "TravelDetailListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DetailSheetDelegate.h"
#include "ListCtrl.h"
#include "PrintTitles.h"
#include "TravelDataStore.h"
#include "TravelDetailModel.h"

#include <QHash>
#include <QHeaderView>
#include <QMouseEvent>
#include <QVBoxLayout>

CTravelDetailListView::CTravelDetailListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(ViewKind::TravelDetail, store, parent),
      m_model(new TravelDetailModel(store.displayFormats(), this)), m_list(new CListCtrl(this))
{
    m_list->setModel(m_model);
    m_list->setHeaderHidden(true);
    m_list->setItemDelegate(
        new DetailSheetDelegate(m_list, LoadImageStrip(Bitmaps::DetailShortcuts, 16)));
    m_list->setWatermark(LoadBitmap(Bitmaps::TravelDetailWatermark));
    m_list->setColumnWidthRule(&ColumnWidths::DetailSheet);
    m_list->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this] { emit commandRequested(Cmd::TravelModify); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_list->viewport()->update();
        emit stateChanged();
    });
}

void CTravelDetailListView::load(const TreeSelection& selection)
{
    m_model->setTravel(m_store.GetTravel(selection.travelKey));
    emit travelChosen(selection.travelKey);
    emit stateChanged();
}

ViewFacts CTravelDetailListView::facts() const
{
    ViewFacts facts = CUpperView::facts();
    facts.travelShown = true;
    return facts;
}

RecordKey CTravelDetailListView::shownTravel() const
{
    return m_model->travelKey();
}

int CTravelDetailListView::modifyTravelStartPage() const
{
    // Seat, ticket, status and notes are on the travel sheet's second page.
    return m_list->markedRow() >= TravelDetailModel::SeatRow ? 1 : 0;
}

const QAbstractItemModel* CTravelDetailListView::printModel() const
{
    return m_model;
}

QList<int> CTravelDetailListView::printColumnWidths() const
{
    return m_list->columnWidths();
}

QString CTravelDetailListView::printTitle() const
{
    return PrintTitles::TravelDetails();
}

bool CTravelDetailListView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list->viewport())
        return CUpperView::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true; // right clicks change nothing here
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const QModelIndex first = m_model->index(0, TravelDetailModel::Value);
        const QRect firstRow = m_list->visualRect(first);
        if (mouse->button() == Qt::LeftButton && m_list->markedRow() == 0 &&
            at.y() >= firstRow.top() && at.y() <= firstRow.bottom()) {
            if (const int child = DetailSheetDelegate::shortcutAt(at.x(), firstRow.right()))
                emit selectPathRequested(m_model->travelKey(), TreeChild(child), RecordKey());
        }
        m_list->viewport()->update();
    }
    return CUpperView::eventFilter(watched, event);
}

void CTravelDetailListView::markFound(const FindMatch& match)
{
    static const QHash<QString, int> rowOfField = {
        {QStringLiteral("title"), TravelDetailModel::TitleRow},
        {QStringLiteral("from"), TravelDetailModel::FromRow},
        {QStringLiteral("destination"), TravelDetailModel::DestinationRow},
        {QStringLiteral("mode"), TravelDetailModel::ModeRow},
        {QStringLiteral("priority"), TravelDetailModel::PriorityRow},
        {QStringLiteral("type"), TravelDetailModel::TypeRow},
        {QStringLiteral("seat"), TravelDetailModel::SeatRow},
        {QStringLiteral("ticket"), TravelDetailModel::TicketRow},
        {QStringLiteral("status"), TravelDetailModel::StatusRow},
        {QStringLiteral("notes"), TravelDetailModel::NotesRow},
    };
    m_list->markRow(rowOfField.value(match.field, TravelDetailModel::TitleRow));
}
