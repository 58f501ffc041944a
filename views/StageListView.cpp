#include "StageListView.h"

#include "Bitmaps.h"
#include "CommandIds.h"
#include "DisplayModes.h"
#include "ListCtrl.h"
#include "TravelDataStore.h"

CStageListView::CStageListView(TravelDataStore& store, QWidget* parent)
    : CPlainListView(ViewKind::StageList, store,
                     {QStringLiteral("Stage"), QStringLiteral("Date"), QStringLiteral("Place")},
                     Bitmaps::StageListWatermark, parent)
{
}

void CStageListView::load(const TreeSelection& selection)
{
    emit travelChosen(selection.travelKey);
    clearRows();
    for (const RecordKey& key : m_store.StagesOf(selection.travelKey)) {
        const StageRecord stage = m_store.GetStage(key);
        appendRow({stage.title, m_store.displayFormats().FormatShortDate(stage.date), stage.place},
                  key);
    }
    emit stateChanged();
}

UpperViewState CStageListView::state() const
{
    UpperViewState state = CPlainListView::state();
    state.displayMode = m_displayMode;
    return state;
}

bool CStageListView::handles(int command) const
{
    return DisplayModeOf(command).has_value();
}

bool CStageListView::run(int command)
{
    const std::optional<DisplayMode> mode = DisplayModeOf(command);
    if (!mode)
        return false;
    m_displayMode = *mode;
    emit stateChanged();
    return true;
}

RecordKey CStageListView::shownStage() const
{
    return keyOf(m_list->markedRow());
}
