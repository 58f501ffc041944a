#include "ExpenseListView.h"

#include "Bitmaps.h"
#include "CommandIds.h"
#include "TravelDataStore.h"

CExpenseListView::CExpenseListView(TravelDataStore& store, QWidget* parent)
    : CPlainListView(ViewKind::ExpenseList, store,
                     {QStringLiteral("Product"), QStringLiteral("Qty"), QStringLiteral("Unit"),
                      QStringLiteral("Price/Unit"), QStringLiteral("Total")},
                     Bitmaps::ExpenseWatermark, parent)
{
}

void CExpenseListView::load(const TreeSelection& selection)
{
    m_travelKey = selection.travelKey;
    emit travelChosen(m_travelKey);
    fill();
}

void CExpenseListView::fill()
{
    clearRows();
    const DisplayFormats& formats = m_store.displayFormats();
    const QList<ExpenseRecord> lines = m_store.LoadExpenses(m_travelKey);
    double sum = 0;
    for (const ExpenseRecord& line : lines) {
        appendRow({line.product, QString::asprintf("%.2f", line.quantity), line.unit,
                   formats.FormatAmount(line.pricePerUnit), formats.FormatAmount(line.total)},
                  QString(), line.purchased != 0);
        if (line.purchased != 0)
            sum += line.total;
    }
    if (!lines.isEmpty()) {
        appendRow({});
        appendRow({QString(), QString(), QString(), QStringLiteral("Grand Total"),
                   formats.FormatAmount(sum)});
    }
    emit stateChanged();
}

bool CExpenseListView::handles(int command) const
{
    return command == Cmd::ListImportItems;
}

bool CExpenseListView::run(int command)
{
    if (command != Cmd::ListImportItems)
        return false;
    emit commandRequested(Cmd::ExpenseImport);
    return true;
}

std::optional<PreferenceList> CExpenseListView::importList() const
{
    return PreferenceList::Products;
}

Outcome CExpenseListView::importItems(const QStringList& texts)
{
    QList<ExpenseRecord> lines = m_store.LoadExpenses(m_travelKey);
    for (const QString& product : texts) {
        ExpenseRecord line;
        line.product = product;
        lines.append(line);
    }
    Outcome saved = m_store.SaveExpenses(m_travelKey, lines);
    if (saved.ok()) {
        emit captionChanged(m_store.ExpensesCaption(m_travelKey));
        fill();
    }
    return saved;
}

std::optional<ExportFormat> CExpenseListView::listExport() const
{
    return ExportFormat::ExpensesCsv;
}
