#include "RecordCommands.h"

#include "CommandIds.h"
#include "MainFrame.h"
#include "PreferenceSheet.h"
#include "Prompter.h"
#include "SaveFile.h"
#include "StageDlg.h"
#include "StringTable.h"
#include "TravelDataStore.h"
#include "TravelDetailListView.h"
#include "TravelListView.h"
#include "TravelSheet.h"
#include "TravelTreeView.h"
#include "VoyantaApp.h"

namespace {

struct ExportKind {
    ExportFormat format;
    const char* suffix;
    const char* filter;
};

ExportKind exportKindOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Html:
        return {format, "html", "HTML Files (*.html)"};
    case ExportFormat::Text:
        return {format, "txt", "Word Files (*.txt)"};
    case ExportFormat::ICalendar:
        return {format, "ics", "iCalendar Files (*.ics)"};
    default:
        return {format, "csv", "csv Files (*.csv)"};
    }
}

} // namespace

CRecordCommands::CRecordCommands(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app)
{
}

RecordKey CRecordCommands::travelTarget() const
{
    if (auto* list = qobject_cast<CTravelListView*>(m_frame.upperView())) {
        const int row = list->markedRow();
        return row >= 0 ? list->rows()[row].key : RecordKey();
    }
    if (auto* detail = qobject_cast<CTravelDetailListView*>(m_frame.upperView()))
        return detail->travelKey();
    return {};
}

RecordKey CRecordCommands::stageTarget() const
{
    CUpperView* view = m_frame.upperView();
    if (view->kind() == 6)
        return m_frame.tree()->selection().stageKey;
    if (view->kind() == 5 && view->list()->currentItem())
        return view->list()->currentItem()->data(0, Qt::UserRole).toString();
    return {};
}

bool CRecordCommands::run(int command)
{
    const TreeSelection selection = m_frame.tree()->selection();
    const int kind = m_frame.upperView()->kind();
    const bool stageView = kind == 5 || kind == 6;
    switch (command) {
    case Cmd::NewTravel:
    case Cmd::ListNewTravel:
        newTravel();
        return true;
    case Cmd::TravelModify:
        modifyTravel(travelTarget());
        return true;
    case Cmd::TreeTravelModify:
        modifyTravel(selection.travelKey);
        return true;
    case Cmd::TravelDelete:
        deleteTravel(travelTarget());
        return true;
    case Cmd::TreeTravelDelete:
        deleteTravel(selection.travelKey);
        return true;
    case Cmd::TreeTravelCopy:
        copyTravel(selection.travelKey);
        return true;
    case Cmd::NewStage:
    case Cmd::TreeTravelNewStage:
    case Cmd::TreeStageNewStage:
    case Cmd::ListNewStage:
        newStage(selection.travelKey);
        return true;
    case Cmd::StageModify:
    case Cmd::ListModifyStage:
        modifyStage(stageTarget());
        return true;
    case Cmd::TreeStageModify:
        modifyStage(selection.stageKey);
        return true;
    case Cmd::StageDelete:
    case Cmd::ListDeleteStage:
        deleteStage(stageTarget());
        return true;
    case Cmd::TreeStageDelete:
        deleteStage(selection.stageKey);
        return true;
    case Cmd::StageNewAppointment:
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
        newAppointment(stageTarget());
        return true;
    case Cmd::TreeStageNewAppointment:
        newAppointment(selection.stageKey);
        return true;
    case Cmd::Delete:
        if (kind == 6 && m_frame.upperView()->state().markedRow >=
                             m_frame.upperView()->state().firstAppointmentRow)
            return false; // an appointment row: the stage detail's own operation
        if (kind == 1 || kind == 2)
            deleteTravel(travelTarget());
        else if (stageView)
            deleteStage(stageTarget());
        else
            return false;
        return true;
    case Cmd::Modify:
        if (kind == 1 || kind == 2) {
            modifyTravel(travelTarget());
            return true;
        }
        if (kind == 6 && m_frame.upperView()->state().markedRow >=
                             m_frame.upperView()->state().firstAppointmentRow)
            return false; // an appointment row: the stage detail's own operation
        if (stageView) {
            modifyStage(stageTarget());
            return true;
        }
        return false;
    case Cmd::TravelExportHtml:
    case Cmd::ExportToHtml:
        exportTravel(ExportFormat::Html);
        return true;
    case Cmd::TravelExportText:
    case Cmd::ExportToText:
        exportTravel(ExportFormat::Text);
        return true;
    case Cmd::TravelExportCalendar:
    case Cmd::ExportToCalendar:
        exportTravel(ExportFormat::ICalendar);
        return true;
    case Cmd::Preferences:
        preferences();
        return true;
    case Cmd::CheckListImport:
        importItems(false);
        return true;
    case Cmd::ExpenseImport:
        importItems(true);
        return true;
    case Cmd::ListImportItems:
        importItems(kind == 4);
        return true;
    case Cmd::ExportToCsv:
        exportTravel(kind == 3 ? ExportFormat::CheckListCsv : ExportFormat::ExpensesCsv);
        return true;
    default:
        return false;
    }
}

void CRecordCommands::newTravel()
{
    CTravelSheet sheet(CTravelSheet::Form::Wizard, TravelRecord{}, m_app.store(), m_app.prompter(),
                       &m_frame);
    if (m_app.prompter().run(sheet.dialog()) != QDialog::Accepted)
        return;
    const TravelRecord travel = sheet.record();
    const KeyOutcome added = m_app.store().AddTravel(travel);
    if (!added.ok()) {
        m_app.prompter().inform(&m_frame, added.outcome.message());
        return;
    }
    const QDate month = m_frame.tree()->month();
    const QDate start = travel.start.toDateTime().date();
    if (start.year() == month.year() && start.month() == month.month())
        m_frame.tree()->showTravelsMonth();
    m_frame.tree()->setCurrentItem(m_frame.tree()->root());
    m_frame.showViewOfKind(1);
}

void CRecordCommands::modifyTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty())
        return;
    // The notes page comes first when the travel detail marks a row of the notes.
    CUpperView* view = m_frame.upperView();
    const int startPage = view->kind() == 2 && view->state().markedRow >= 10 ? 1 : 0;
    CTravelSheet sheet(CTravelSheet::Form::Tabbed, m_app.store().GetTravel(travelKey),
                       m_app.store(), m_app.prompter(), &m_frame, startPage);
    if (m_app.prompter().run(sheet.dialog()) != QDialog::Accepted)
        return;
    if (Outcome saved = m_app.store().SaveTravel(sheet.record()); !saved.ok()) {
        m_app.prompter().inform(&m_frame, saved.message());
        return;
    }
    m_frame.tree()->updateAfterTravelChange();
}

void CRecordCommands::deleteTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty() ||
        !m_app.prompter().ask(&m_frame, ResourceText(Str::ConfirmDeleteTravel)))
        return;
    m_frame.endPendingEdits();
    if (!m_frame.tree()->removeTravel(travelKey)) {
        // The travel is not in the tree's month (a row of another list): delete it here.
        if (Outcome deleted = m_app.store().DeleteTravel(travelKey); !deleted.ok())
            m_app.prompter().inform(&m_frame, deleted.message());
        m_frame.tree()->showTravelsMonth();
    }
}

void CRecordCommands::copyTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty())
        return;
    m_frame.endPendingEdits();
    const KeyOutcome copied = m_app.store().CopyTravel(travelKey);
    if (!copied.ok())
        m_app.prompter().inform(&m_frame, copied.outcome.message());
    m_frame.tree()->showTravelsMonth();
}

void CRecordCommands::newStage(const RecordKey& travelKey)
{
    if (travelKey.isEmpty())
        return;
    CStageDlg dialog(StageRecord{}, &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted)
        return;
    StageRecord stage = dialog.stage();
    stage.travelKey = travelKey;
    const KeyOutcome added = m_app.store().AddStage(stage);
    if (!added.ok()) {
        m_app.prompter().inform(&m_frame, added.outcome.message());
        return;
    }
    m_frame.tree()->addStage(added.key);
}

void CRecordCommands::modifyStage(const RecordKey& stageKey)
{
    if (stageKey.isEmpty())
        return;
    CStageDlg dialog(m_app.store().GetStage(stageKey), &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted)
        return;
    if (Outcome saved = m_app.store().SaveStage(dialog.stage()); !saved.ok()) {
        m_app.prompter().inform(&m_frame, saved.message());
        return;
    }
    m_frame.tree()->updateStage(stageKey);
}

void CRecordCommands::deleteStage(const RecordKey& stageKey)
{
    if (stageKey.isEmpty() ||
        !m_app.prompter().ask(&m_frame, ResourceText(Str::ConfirmDeleteStage)))
        return;
    m_frame.tree()->removeStage(stageKey);
}

void CRecordCommands::newAppointment(const RecordKey& stageKey)
{
    if (stageKey.isEmpty())
        return;
    m_frame.endPendingEdits();
    // A new appointment starts from the stage's own date, title, place and notes.
    const StageRecord stage = m_app.store().GetStage(stageKey);
    AppointmentRecord appointment(stage.date);
    appointment.subject = stage.title;
    appointment.location = stage.place;
    appointment.notes = stage.notes;
    CAppointmentDlg dialog(appointment, &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted)
        return;
    QList<AppointmentRecord> appointments = m_app.store().LoadAppointments(stageKey);
    appointments.append(dialog.appointment());
    if (Outcome saved = m_app.store().SaveAppointments(stageKey, appointments); !saved.ok()) {
        m_app.prompter().inform(&m_frame, saved.message());
        return;
    }
    m_frame.loadUpperViewForTreeSelection();
}

void CRecordCommands::exportTravel(ExportFormat format)
{
    const bool list = format == ExportFormat::CheckListCsv || format == ExportFormat::ExpensesCsv;
    if (list)
        m_frame.endPendingEdits();
    const RecordKey travelKey = list ? m_frame.tree()->selection().travelKey : travelTarget();
    const ExportKind kind = exportKindOf(format);
    const QString path = m_app.prompter().saveFileName(&m_frame, QLatin1String(kind.suffix),
                                                       QLatin1String(kind.filter));
    if (path.isEmpty())
        return;
    const QByteArray bytes =
        travelKey.isEmpty() ? QByteArray() : RenderExportFile(m_app.store(), travelKey, format);
    if (Outcome written = SaveFileAtomically(path, bytes); !written.ok()) {
        m_app.prompter().inform(
            &m_frame,
            QStringLiteral("The export could not be written to %1").arg(written.message()));
        return;
    }
    m_app.prompter().openFile(path);
}

void CRecordCommands::preferences()
{
    CPreferenceSheet sheet(m_app.store(), m_app.prompter(), &m_frame);
    m_app.prompter().run(&sheet);
}

void CRecordCommands::importItems(bool products)
{
    const RecordKey travelKey = m_frame.tree()->selection().travelKey;
    if (travelKey.isEmpty())
        return;
    m_frame.endPendingEdits();
    CImportItemsDlg dialog(m_app.store(), products, &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted || dialog.result().isEmpty())
        return;
    TravelDataStore& store = m_app.store();
    Outcome saved;
    if (products) {
        QList<ExpenseRecord> lines = store.LoadExpenses(travelKey);
        for (const QString& product : dialog.result()) {
            ExpenseRecord line;
            line.product = product;
            lines.append(line);
        }
        saved = store.SaveExpenses(travelKey, lines);
    } else {
        QList<CheckListItem> items = store.LoadCheckList(travelKey);
        for (const QString& text : dialog.result())
            items.append(CheckListItem{text, 0});
        saved = store.SaveCheckList(travelKey, items);
    }
    if (!saved.ok()) {
        m_app.prompter().inform(&m_frame, saved.message());
        return;
    }
    m_frame.tree()->setSelectedCaption(products ? store.ExpensesCaption(travelKey)
                                                : store.CheckListCaption(travelKey));
    m_frame.loadUpperViewForTreeSelection();
}
