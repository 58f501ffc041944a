#include "StageDetailListView.h"

#include "Bitmaps.h"
#include "TravelDataStore.h"

CStageDetailListView::CStageDetailListView(TravelDataStore& store, QWidget* parent)
    : CPlainListView(ViewKind::StageDetail, store,
                     {QStringLiteral("Stage"), QStringLiteral("Details")},
                     Bitmaps::StageDetailWatermark, parent)
{
}

void CStageDetailListView::load(const TreeSelection& selection)
{
    m_stageKey = selection.stageKey;
    emit travelChosen(selection.travelKey);
    clearRows();
    const DisplayFormats& formats = m_store.displayFormats();
    const StageRecord stage = m_store.GetStage(m_stageKey);
    appendRow({QStringLiteral("Stage Title"), stage.title});
    appendRow({QStringLiteral("Date"), formats.FormatShortDate(stage.date)});
    appendRow({QStringLiteral("Place"), stage.place});
    appendRow({QStringLiteral("Notes"), stage.notes});
    m_detailRows = 4;
    appendRow({});
    appendRow({QStringLiteral("Appointments:")});
    for (const AppointmentRecord& appointment : m_store.LoadAppointments(m_stageKey)) {
        QString what = appointment.subject;
        if (!appointment.location.isEmpty())
            what += QStringLiteral(" at ") + appointment.location;
        appendRow({formats.FormatShortDate(appointment.when) + QLatin1Char(' ') +
                       formats.FormatShortTime(appointment.when),
                   what});
    }
    emit stateChanged();
}

UpperViewState CStageDetailListView::state() const
{
    UpperViewState state = CPlainListView::state();
    state.firstAppointmentRow = m_detailRows + 2;
    return state;
}

RecordKey CStageDetailListView::shownStage() const
{
    return m_stageKey;
}
