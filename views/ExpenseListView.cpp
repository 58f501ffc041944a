#include "ExpenseListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "ExpenseDelegate.h"
#include "ExpenseModel.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "PrintTitles.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

const char* const deleteQuestion = "Delete the selected Expense record?";
const char* const newExpenseText = "New Expense";

} // namespace

CExpenseListView::CExpenseListView(TravelDataStore& store, QWidget* parent)
    : CExpenseListView(new ExpenseModel(store.displayFormats()), store, parent)
{
}

CExpenseListView::CExpenseListView(ExpenseModel* model, TravelDataStore& store, QWidget* parent)
    : CEditedListView(
          ViewKind::ExpenseList,
          {Cmd::ExpenseNew, Cmd::ExpenseModify, Cmd::ExpenseDelete, Cmd::ExpenseImport}, model,
          new ExpenseDelegate(
              store.displayFormats().locale(),
              [&store] { return store.ReadPreferenceList(int(PreferenceList::Units)); }),
          store, parent),
      m_model(model)
{
    // The cell the keyboard is on shows, so that Enter edits the cell it means.
    m_list->setAllColumnsShowFocus(false);
    m_list->setWatermark(LoadBitmap(Bitmaps::ExpenseWatermark));
    m_list->setColumnWidthRule(
        [this](int width) { return ColumnWidths::ExpenseList(width, m_model->showsCurrencies()); });
    m_header->setImages(LoadImageStrip(Bitmaps::ExpenseHeader, 16), ExpenseModel::SortColumnCount);
    m_model->setRateSource([&store](const QString& code) { return store.LastRate(code); });
    // The currency columns show while some expense is in another currency; the header's
    // menu shows them for the first one.
    auto* currencies = new QAction(QStringLiteral("Show &Currencies"), m_header);
    currencies->setObjectName(QStringLiteral("showCurrencies"));
    currencies->setCheckable(true);
    m_header->addAction(currencies);
    m_header->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(currencies, &QAction::toggled, this, [this](bool shown) {
        m_model->askForCurrencies(shown);
        showCurrencyColumns();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            &CExpenseListView::showCurrencyColumns);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        showCurrencyColumns();
        // Told once when the expenses are read, not at every edit.
        if (const QString notes = m_list->toolTip(); !notes.isEmpty())
            emit notice(notes.section(QLatin1Char('\n'), 0, 0) +
                        (notes.contains(QLatin1Char('\n'))
                             ? tr(" (and more: see the list's tooltip)")
                             : QString()));
    });
    showCurrencyColumns();
    m_header->showFirstOrder(ExpenseModel::Product);
    m_list->installEventFilter(this);

    connect(m_header, &CListHeaderCtrl::sortRequested, this, &CExpenseListView::sort);
    // One click opens the cell's editor; a click on the check box only ticks.
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!m_delegate->isOnCheckBox(m_list, index, m_lastPress))
            editCell(index.row(), index.column());
    });
}

CExpenseListView::~CExpenseListView()
{
    // The frame saves before it lets a view go; this is for any other way out.
    (void)write();
}

void CExpenseListView::load(const TreeSelection& selection)
{
    loadTravel(selection.travelKey, [this] {
        m_model->setExpenses(m_store.LoadExpenses(m_travelKey));
        m_header->showFirstOrder(ExpenseModel::Product);
    });
}

std::optional<PreferenceList> CExpenseListView::importList() const
{
    return PreferenceList::Products;
}

Outcome CExpenseListView::importItems(const QStringList& texts)
{
    m_delegate->endEditing();
    int row = -1;
    for (const QString& product : texts)
        row = m_model->addExpense(product);
    if (row >= 0)
        m_list->markRow(row);
    return {};
}

std::optional<ExportFormat> CExpenseListView::listExport() const
{
    return ExportFormat::ExpensesCsv;
}

QString CExpenseListView::fileNameOf(const RecordKey& travelKey) const
{
    return DataFolder::expensesFileName(travelKey);
}

Outcome CExpenseListView::writeRows()
{
    if (Outcome saved = m_store.SaveExpenses(m_travelKey, m_model->expenses()); !saved.ok())
        return saved;
    const QMap<QString, RateQuote>& rates = m_model->ratesUsed();
    for (auto it = rates.cbegin(); it != rates.cend(); ++it) {
        if (Outcome remembered = m_store.RememberRate(it.key(), *it); !remembered.ok())
            return remembered;
    }
    return {};
}

void CExpenseListView::showCurrencyColumns()
{
    const bool shown = m_model->showsCurrencies();
    if (shown == !m_list->isColumnHidden(ExpenseModel::CurrencyCode))
        return showSetAside();
    for (int column = ExpenseModel::CurrencyCode; column < ExpenseModel::ColumnCount; ++column)
        m_list->setColumnHidden(column, !shown);
    m_list->setColumnWidthRule(
        [this](int width) { return ColumnWidths::ExpenseList(width, m_model->showsCurrencies()); });
    showSetAside();
}

void CExpenseListView::showSetAside()
{
    // Entries of the side file that name no expense any more are told, never applied.
    QStringList notes;
    for (const CurrencyEntry& entry : m_store.SetAsideCurrencies(m_travelKey))
        notes.append(QStringLiteral("%1 %2 set aside: %3")
                         .arg(entry.foreign.currency, entry.foreign.price.toString(), entry.note));
    m_list->setToolTip(notes.join(QLatin1Char('\n')));
}

bool CExpenseListView::editCell(int row, int column)
{
    if (!m_model->isRecordRow(row) || column < 0 || column >= ExpenseModel::ColumnCount ||
        !(m_model->flags(m_model->index(row, column)) & Qt::ItemIsEditable))
        return false;
    const QModelIndex index = m_model->index(row, column);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_list->scrollTo(index);
    m_list->setFocus();
    m_list->edit(index);
    return true;
}

void CExpenseListView::newRow()
{
    m_delegate->endEditing();
    editCell(m_model->addExpense(QString::fromLatin1(newExpenseText)), ExpenseModel::Product);
}

void CExpenseListView::modifyRow()
{
    editCell(m_list->markedRow(), ExpenseModel::Product);
}

void CExpenseListView::deleteRow()
{
    m_delegate->endEditing();
    const int row = m_list->markedRow();
    if (!m_model->isRecordRow(row) || !m_prompter ||
        !m_prompter->ask(this, QString::fromLatin1(deleteQuestion)))
        return;
    m_list->scrollToTop();
    m_model->removeExpense(row);
    // With the last expense gone, the store holds none for the travel at once.
    if (m_model->expenseCount() == 0) {
        if (const Outcome saved = write(); !saved.ok())
            m_prompter->inform(this, saved.message());
    }
}

void CExpenseListView::sort(int sortCode)
{
    m_delegate->endEditing();
    m_model->sortByCode(sortCode);
    m_list->scrollTo(m_list->currentIndex());
}

bool CExpenseListView::onListKey(QKeyEvent* key)
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Space:
        // Ticks the expense whichever of its cells the keyboard is on.
        if (m_model->isRecordRow(current.row())) {
            const QModelIndex box = m_model->index(current.row(), ExpenseModel::Product);
            const bool purchased = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            m_model->setData(box, purchased ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = key->key() == Qt::Key_Left ? -1 : 1;
        const int column = current.column() + step;
        if (column >= 0 && column < ExpenseModel::ColumnCount)
            m_list->selectionModel()->setCurrentIndex(m_model->index(current.row(), column),
                                                      QItemSelectionModel::NoUpdate);
        return true;
    }
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_F2:
        editCell(current.row(), current.column());
        return true;
    default:
        return false;
    }
}

void CExpenseListView::onContextMenu(const QPoint& position, const QPoint& globalPosition)
{
    m_delegate->endEditing();
    const QModelIndex index = m_list->indexAt(position);
    if (index.isValid() && m_model->isRecordRow(index.row())) {
        m_list->markRow(index.row());
        emit contextMenuRequested(PopupMenu::ExpenseMenu, globalPosition);
    } else {
        emit contextMenuRequested(PopupMenu::NewImport, globalPosition);
    }
}

bool CExpenseListView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress)
        return onListKey(static_cast<QKeyEvent*>(event)) || CUpperView::eventFilter(watched, event);
    if (watched == m_list->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                          event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_lastPress = mouse->position().toPoint();
        if (mouse->button() == Qt::RightButton) {
            if (event->type() == QEvent::MouseButtonPress)
                onContextMenu(mouse->position().toPoint(), mouse->globalPosition().toPoint());
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}

QString CExpenseListView::printTitle() const
{
    return PrintTitles::ExpensesFor(m_store.GetTravel(m_travelKey).title);
}

void CExpenseListView::markFound(const FindMatch& match)
{
    for (int row = 0; row < m_model->expenseCount(); ++row) {
        if (m_model->expense(row).product == match.title) {
            showRow(row);
            return;
        }
    }
}
