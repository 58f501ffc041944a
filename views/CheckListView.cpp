#include "CheckListView.h"

#include "Bitmaps.h"
#include "CommandIds.h"
#include "TravelDataStore.h"

CChekListView::CChekListView(TravelDataStore& store, QWidget* parent)
    : CPlainListView(ViewKind::CheckList, store, {QStringLiteral("Check List Items")},
                     Bitmaps::CheckListWatermark, parent)
{
}

void CChekListView::load(const TreeSelection& selection)
{
    m_travelKey = selection.travelKey;
    emit travelChosen(m_travelKey);
    fill();
}

void CChekListView::fill()
{
    clearRows();
    for (const CheckListItem& entry : m_store.LoadCheckList(m_travelKey))
        appendRow({entry.text}, QString(), entry.checked != 0);
    emit stateChanged();
}

bool CChekListView::handles(int command) const
{
    return command == Cmd::ListImportItems;
}

bool CChekListView::run(int command)
{
    if (command != Cmd::ListImportItems)
        return false;
    emit commandRequested(Cmd::CheckListImport);
    return true;
}

std::optional<PreferenceList> CChekListView::importList() const
{
    return PreferenceList::MasterList;
}

Outcome CChekListView::importItems(const QStringList& texts)
{
    QList<CheckListItem> items = m_store.LoadCheckList(m_travelKey);
    for (const QString& text : texts)
        items.append(CheckListItem{text, 0});
    Outcome saved = m_store.SaveCheckList(m_travelKey, items);
    if (saved.ok()) {
        emit captionChanged(m_store.CheckListCaption(m_travelKey));
        fill();
    }
    return saved;
}

std::optional<ExportFormat> CChekListView::listExport() const
{
    return ExportFormat::CheckListCsv;
}
