#include "ModeListView.h"

#include "DisplayModes.h"
#include "RowOrderModel.h"

#include <QVBoxLayout>

CModeListView::CModeListView(ViewKind kind, TravelDataStore& store, RowOrderModel* model,
                             const CModeListCtrl::Look& look, QWidget* parent)
    : CUpperView(kind, store, parent), m_list(new CModeListCtrl(model, look, this)), m_rows(model)
{
    m_rows->setParent(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    connect(m_list, &CModeListCtrl::sortRequested, this, &CModeListView::sort);
}

ViewFacts CModeListView::facts() const
{
    ViewFacts facts = CUpperView::facts();
    facts.displayMode = displayMode();
    facts.recordMarked = markedRow() >= 0;
    return facts;
}

const QAbstractItemModel* CModeListView::printModel() const
{
    return m_rows;
}

QList<int> CModeListView::printColumnWidths() const
{
    return m_list->report()->columnWidths();
}

void CModeListView::setDisplayMode(DisplayMode mode)
{
    m_list->setDisplayMode(mode);
    emit stateChanged();
}

void CModeListView::sort(int sortCode)
{
    m_rows->sortByCode(sortCode);
    m_list->scrollToMarked();
}

bool CModeListView::runDisplayMode(int command)
{
    const std::optional<DisplayMode> mode = DisplayModeOf(command);
    if (mode)
        setDisplayMode(*mode);
    return mode.has_value();
}
