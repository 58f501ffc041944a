#include "PlainListView.h"

#include "Bitmaps.h"
#include "ListCtrl.h"
#include "ModelRoles.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QVBoxLayout>

CPlainListView::CPlainListView(ViewKind kind, TravelDataStore& store, const QStringList& captions,
                               int watermark, QWidget* parent)
    : CUpperView(kind, store, parent),
      m_model(new QStandardItemModel(0, int(captions.size()), this)), m_list(new CListCtrl(this))
{
    m_model->setHorizontalHeaderLabels(captions);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(true);
    m_list->setWatermark(LoadBitmap(watermark));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CUpperView::stateChanged);
}

UpperViewState CPlainListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.markedRow = m_list->markedRow();
    state.rowCount = m_model->rowCount();
    return state;
}

const QAbstractItemModel* CPlainListView::printModel() const
{
    return m_model;
}

QList<int> CPlainListView::printColumnWidths() const
{
    QList<int> widths;
    for (int column = 0; column < m_model->columnCount(); ++column)
        widths.append(m_list->columnWidth(column));
    return widths;
}

void CPlainListView::clearRows()
{
    m_model->removeRows(0, m_model->rowCount());
}

void CPlainListView::appendRow(const QStringList& texts, const QString& key,
                               std::optional<bool> checked)
{
    QList<QStandardItem*> items;
    for (const QString& text : texts) {
        auto* item = new QStandardItem(text);
        item->setEditable(false);
        items.append(item);
    }
    while (items.size() < m_model->columnCount())
        items.append(new QStandardItem);
    items.first()->setData(key, ModelRole::Key);
    if (checked) {
        items.first()->setCheckable(true);
        items.first()->setCheckState(*checked ? Qt::Checked : Qt::Unchecked);
    }
    m_model->appendRow(items);
}

QString CPlainListView::keyOf(int row) const
{
    return row >= 0 ? m_model->index(row, 0).data(ModelRole::Key).toString() : QString();
}
