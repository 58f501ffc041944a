#include "UpperViews.h"

#include "Bitmaps.h"
#include "TravelDataStore.h"

#include <QTreeWidget>

namespace {

void addRow(QTreeWidget* list, const QStringList& columns, const QString& key = QString())
{
    auto* item = new QTreeWidgetItem(list, columns);
    item->setData(0, Qt::UserRole, key);
}

} // namespace

CChekListView::CChekListView(TravelDataStore& store, QWidget* parent) : CUpperView(3, store, parent)
{
    m_list->setHeaderLabels({QStringLiteral("Check List")});
    m_list->setWatermark(LoadBitmap(Bitmaps::CheckListWatermark));
}

void CChekListView::load(const TreeSelection& selection)
{
    m_list->clear();
    for (const CheckListItem& entry : m_store.LoadCheckList(selection.travelKey)) {
        auto* item = new QTreeWidgetItem(m_list, {entry.text});
        item->setCheckState(0, entry.checked != 0 ? Qt::Checked : Qt::Unchecked);
    }
    emit stateChanged();
}

CExpenseListView::CExpenseListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(4, store, parent)
{
    m_list->setHeaderLabels({QStringLiteral("Product"), QStringLiteral("Qty"),
                             QStringLiteral("Unit"), QStringLiteral("Price/Unit"),
                             QStringLiteral("Total")});
    m_list->setWatermark(LoadBitmap(Bitmaps::ExpenseWatermark));
}

void CExpenseListView::load(const TreeSelection& selection)
{
    m_list->clear();
    const DisplayFormats& formats = m_store.displayFormats();
    const QList<ExpenseRecord> lines = m_store.LoadExpenses(selection.travelKey);
    double sum = 0;
    for (const ExpenseRecord& line : lines) {
        auto* item = new QTreeWidgetItem(
            m_list, {line.product, QString::asprintf("%.2f", line.quantity), line.unit,
                     formats.FormatAmount(line.pricePerUnit), formats.FormatAmount(line.total)});
        item->setCheckState(0, line.purchased != 0 ? Qt::Checked : Qt::Unchecked);
        if (line.purchased != 0)
            sum += line.total;
    }
    if (!lines.isEmpty()) {
        addRow(m_list, {});
        addRow(m_list, {QStringLiteral("Grand Total"), QString(), QString(), QString(),
                        formats.FormatAmount(sum)});
    }
    emit stateChanged();
}

CStageListView::CStageListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(5, store, parent)
{
    m_list->setHeaderLabels(
        {QStringLiteral("Stage Title"), QStringLiteral("Date"), QStringLiteral("Place")});
    m_list->setWatermark(LoadBitmap(Bitmaps::StageListWatermark));
}

void CStageListView::load(const TreeSelection& selection)
{
    m_list->clear();
    for (const RecordKey& key : m_store.StagesOfUnsorted(selection.travelKey)) {
        const StageRecord stage = m_store.GetStage(key);
        addRow(m_list,
               {stage.title, m_store.displayFormats().FormatShortDate(stage.date), stage.place},
               key);
    }
    emit stateChanged();
}

UpperViewState CStageListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.displayMode = m_displayMode;
    return state;
}

void CStageListView::setDisplayMode(int mode)
{
    m_displayMode = mode;
    emit stateChanged();
}

CStageDetailListView::CStageDetailListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(6, store, parent)
{
    m_list->setHeaderLabels({QStringLiteral("Stage"), QStringLiteral("Details")});
    m_list->setWatermark(LoadBitmap(Bitmaps::StageDetailWatermark));
}

void CStageDetailListView::load(const TreeSelection& selection)
{
    m_list->clear();
    const DisplayFormats& formats = m_store.displayFormats();
    const StageRecord stage = m_store.GetStage(selection.stageKey);
    addRow(m_list, {QStringLiteral("Stage Title"), stage.title}, stage.key);
    addRow(m_list, {QStringLiteral("Date"), formats.FormatShortDate(stage.date)}, stage.key);
    addRow(m_list, {QStringLiteral("Place"), stage.place}, stage.key);
    addRow(m_list, {QStringLiteral("Notes"), stage.notes}, stage.key);
    m_detailRows = 4;
    addRow(m_list, {});
    addRow(m_list, {QStringLiteral("Appointments:")});
    for (const AppointmentRecord& appointment : m_store.LoadAppointments(selection.stageKey)) {
        QString what = appointment.subject;
        if (!appointment.location.isEmpty())
            what += QStringLiteral(" at ") + appointment.location;
        addRow(m_list, {formats.FormatShortDate(appointment.when) + QLatin1Char(' ') +
                            formats.FormatShortTime(appointment.when),
                        what});
    }
    emit stateChanged();
}

UpperViewState CStageDetailListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.firstAppointmentRow = m_detailRows + 2;
    return state;
}
