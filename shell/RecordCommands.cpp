#include "RecordCommands.h"

#include "AppointmentDlg.h"
#include "BookingMapping.h"
#include "CommandIds.h"
#include "FindIndex.h"
#include "ImagesView.h"
#include "ImportBookingDlg.h"
#include "ImportItemsDlg.h"
#include "ItineraryPdf.h"
#include "MainFrame.h"
#include "PreferenceSheet.h"
#include "Prompter.h"
#include "SaveFile.h"
#include "StageDetailModel.h"
#include "StageDlg.h"
#include "StringTable.h"
#include "TravelDataStore.h"
#include "TravelSheet.h"
#include "TravelTreeView.h"
#include "UpperView.h"
#include "VoyantaApp.h"
#include "WholeTravel.h"

#include <QBuffer>
#include <QDir>

namespace {

struct ExportKind {
    const char* suffix;
    const char* filter;
};

ExportKind exportKindOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Html:
        return {"html", "HTML Files (*.html)"};
    case ExportFormat::Text:
        return {"txt", "Word Files (*.txt)"};
    case ExportFormat::ICalendar:
        return {"ics", "iCalendar Files (*.ics)"};
    default:
        return {"csv", "csv Files (*.csv)"};
    }
}

std::optional<ExportFormat> travelExportOf(int command)
{
    switch (command) {
    case Cmd::TravelExportHtml:
    case Cmd::ExportToHtml:
        return ExportFormat::Html;
    case Cmd::TravelExportText:
    case Cmd::ExportToText:
        return ExportFormat::Text;
    case Cmd::TravelExportCalendar:
    case Cmd::ExportToCalendar:
        return ExportFormat::ICalendar;
    default:
        return std::nullopt;
    }
}

} // namespace

CRecordCommands::CRecordCommands(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app)
{
}

RecordKey CRecordCommands::travelOf(int command) const
{
    const CUpperView& view = *m_frame.upperView();
    switch (command) {
    case Cmd::TravelModify:
    case Cmd::TravelDelete:
    case Cmd::Modify:
    case Cmd::Delete:
        return view.shownTravel();
    case Cmd::TreeTravelModify:
    case Cmd::TreeTravelDelete:
    case Cmd::TreeTravelCopy:
    case Cmd::NewStage:
    case Cmd::TreeTravelNewStage:
    case Cmd::TreeStageNewStage:
        return m_frame.tree()->selection().travelKey;
    case Cmd::TravelExportPdf:
    case Cmd::ExportToPdf:
        return view.shownTravel();
    default:
        return travelExportOf(command) ? view.shownTravel() : RecordKey();
    }
}

RecordKey CRecordCommands::stageOf(int command) const
{
    const CUpperView& view = *m_frame.upperView();
    switch (command) {
    case Cmd::StageModify:
    case Cmd::StageDelete:
    case Cmd::StageNewAppointment:
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
        return view.shownStage();
    case Cmd::Modify:
    case Cmd::Delete:
        return view.shownTravel().isEmpty() ? view.shownStage() : RecordKey();
    case Cmd::TreeStageModify:
    case Cmd::TreeStageDelete:
    case Cmd::TreeStageNewAppointment:
        return m_frame.tree()->selection().stageKey;
    default:
        return {};
    }
}

bool CRecordCommands::handles(int command) const
{
    const CUpperView& view = *m_frame.upperView();
    // What the upper view runs itself is not also a record command: the stage detail
    // makes, changes and deletes its appointments in its own rows.
    if (view.handles(command))
        return false;
    switch (command) {
    case Cmd::NewTravel:
    case Cmd::ImportBooking:
    case Cmd::Preferences:
        return true;
    case Cmd::CheckListImport:
        return view.importList() == PreferenceList::MasterList;
    case Cmd::ExpenseImport:
        return view.importList() == PreferenceList::Products;
    case Cmd::ExportToCsv:
        return view.listExport().has_value();
    default:
        return !travelOf(command).isEmpty() || !stageOf(command).isEmpty();
    }
}

bool CRecordCommands::run(int command)
{
    if (!handles(command))
        return false;
    if (const std::optional<ExportFormat> format = travelExportOf(command)) {
        exportTravel(*format);
        return true;
    }
    const RecordKey travel = travelOf(command);
    const RecordKey stage = stageOf(command);
    switch (command) {
    case Cmd::NewTravel:
        newTravel();
        break;
    case Cmd::ImportBooking:
        importBooking();
        break;
    case Cmd::Preferences:
        preferences();
        break;
    case Cmd::CheckListImport:
        importItems(PreferenceList::MasterList);
        break;
    case Cmd::ExpenseImport:
        importItems(PreferenceList::Products);
        break;
    case Cmd::ExportToCsv:
        exportList();
        break;
    case Cmd::TravelExportPdf:
    case Cmd::ExportToPdf:
        exportItinerary(travel);
        break;
    case Cmd::TravelModify:
    case Cmd::TreeTravelModify:
        modifyTravel(travel);
        break;
    case Cmd::TravelDelete:
    case Cmd::TreeTravelDelete:
        deleteTravel(travel);
        break;
    case Cmd::TreeTravelCopy:
        copyTravel(travel);
        break;
    case Cmd::NewStage:
    case Cmd::TreeTravelNewStage:
    case Cmd::TreeStageNewStage:
        newStage(travel);
        break;
    case Cmd::StageModify:
    case Cmd::TreeStageModify:
        modifyStage(stage);
        break;
    case Cmd::StageDelete:
    case Cmd::TreeStageDelete:
        deleteStage(stage);
        break;
    case Cmd::StageNewAppointment:
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
    case Cmd::TreeStageNewAppointment:
        newAppointment(stage);
        break;
    case Cmd::Modify:
        travel.isEmpty() ? modifyStage(stage) : modifyTravel(travel);
        break;
    case Cmd::Delete:
        travel.isEmpty() ? deleteStage(stage) : deleteTravel(travel);
        break;
    default:
        return false;
    }
    return true;
}

void CRecordCommands::report(const Outcome& outcome)
{
    if (!outcome.ok())
        m_app.prompter().inform(&m_frame, outcome.message());
}

void CRecordCommands::newTravel()
{
    CTravelSheet sheet(CTravelSheet::Form::Wizard, TravelRecord{}, m_app.store(), m_app.prompter(),
                       &m_frame);
    if (m_app.prompter().run(sheet.dialog()) != QDialog::Accepted)
        return;
    if (!m_frame.endPendingEdits())
        return;
    const TravelRecord travel = sheet.record();
    const KeyOutcome added = m_app.store().AddTravel(travel);
    report(added.outcome);
    if (!added.ok())
        return;
    const QDate month = m_frame.tree()->month();
    const QDate start = travel.start.date();
    if (start.year() == month.year() && start.month() == month.month())
        m_frame.tree()->showTravelsMonth();
    else
        m_frame.tree()->select(m_frame.tree()->monthNode());
}

void CRecordCommands::importBooking()
{
    const QString kind = QStringLiteral("Bookings");
    const QStringList files = m_app.prompter().openFileNames(
        &m_frame,
        QStringLiteral("Bookings (*.eml *.mbox *.pdf *.html *.htm *.pkpass *.txt *.png *.jpg "
                       "*.jpeg);;All Files (*)"),
        LastUsedFolder(kind));
    if (files.isEmpty())
        return;
    RememberFolder(kind, files.first());
    importBookingFiles(files);
}

void CRecordCommands::importBookingFiles(const QStringList& files)
{
    BookingExtractor::Search search;
    search.profile = BookingExtractor::ProfilePath();
    BookingExtractor::Settings settings;
    settings.program = BookingExtractor::Find(search);
    settings.received = QDateTime::currentDateTime();
    QStringList refusals;
    for (const QString& file : files) {
        if (const QString refusal = BookingExtractor::Refusal(file); !refusal.isEmpty())
            refusals.append(refusal);
    }
    if (refusals.isEmpty() && settings.program.isEmpty())
        refusals.append(BookingExtractor::MissingMessage(search));
    if (!refusals.isEmpty()) {
        m_app.prompter().inform(&m_frame, refusals.join(QLatin1Char('\n')));
        return;
    }
    TravelDataStore& store = m_app.store();
    const RecordKey selected = m_frame.tree()->selection().travelKey;
    CImportBookingDlg dialog(files, settings,
                             selected.isEmpty() ? QString() : store.GetTravel(selected).title,
                             &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted || dialog.bookings().isEmpty() ||
        !m_frame.endPendingEdits())
        return;
    // Without a travel, into the one that holds these bookings already, else a new one.
    const BookingImport imported = ImportBookings(
        store, dialog.bookings(), dialog.intoSelectedTravel() ? selected : RecordKey());
    report(imported.outcome);
    if (!imported.outcome.ok())
        return;
    // The travel's stages, in its own month: that of the bookings, not the one shown.
    m_frame.tree()->showTravelsMonth();
    FindMatch stages;
    stages.kind = FindKind::Stage;
    stages.travelKey = imported.travelKey;
    (void)m_frame.showFound(stages);
    m_frame.showStatus(
        tr("%n booking(s) imported into \u201c%1\u201d", nullptr, int(dialog.bookings().size()))
            .arg(store.GetTravel(imported.travelKey).title));
}

void CRecordCommands::modifyTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty())
        return;
    CTravelSheet sheet(CTravelSheet::Form::Tabbed, m_app.store().GetTravel(travelKey),
                       m_app.store(), m_app.prompter(), &m_frame,
                       m_frame.upperView()->modifyTravelStartPage());
    if (m_app.prompter().run(sheet.dialog()) != QDialog::Accepted)
        return;
    if (!m_frame.endPendingEdits())
        return;
    TravelDataStore& store = m_app.store();
    const TravelRecord travel = sheet.record();
    Outcome saved = store.SaveTravel(travel);
    if (saved.refusal() == Outcome::Refusal::ChangedOutside) {
        const QString question =
            QStringLiteral("Another program changed %1 since Voyanta read it.\n\nOverwrite it "
                           "with your changes, or reload it and drop them?")
                .arg(QDir::toNativeSeparators(saved.error().path));
        if (m_app.prompter().choose(&m_frame, question, {tr("&Overwrite"), tr("&Reload")}) != 0) {
            m_frame.refresh();
            return;
        }
        saved = store.SaveTravel(travel, TravelDataStore::TravelWrite::Overwrite);
    }
    if (saved.refusal() == Outcome::Refusal::OwnerGone) {
        m_frame.resolveRemovedTravel(
            saved, [&store, travel] { return store.AddTravel(travel).outcome; }, [] {});
        return;
    }
    report(saved);
    if (saved.ok())
        m_frame.tree()->updateAfterTravelChange();
}

void CRecordCommands::deleteTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty() ||
        !m_app.prompter().ask(&m_frame, ResourceText(Str::ConfirmDeleteTravel)))
        return;
    if (!m_frame.endPendingEdits())
        return;
    // The images pane lets go of the travel first, so that nothing of it is written again.
    if (m_frame.imagesView()->travelKey() == travelKey)
        m_frame.showImagesOfTravel(RecordKey());
    report(m_app.store().DeleteTravel(travelKey));
    m_frame.tree()->removeTravelNode();
}

void CRecordCommands::copyTravel(const RecordKey& travelKey)
{
    if (travelKey.isEmpty() || !m_frame.endPendingEdits())
        return;
    report(m_app.store().CopyTravel(travelKey).outcome);
    m_frame.tree()->showTravelsMonth();
}

void CRecordCommands::newStage(const RecordKey& travelKey)
{
    if (travelKey.isEmpty())
        return;
    CStageDlg dialog(StageRecord{}, &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted || !m_frame.endPendingEdits())
        return;
    StageRecord stage = dialog.stage();
    stage.travelKey = travelKey;
    const KeyOutcome added = m_app.store().AddStage(stage);
    if (keptAfterRemoval(added.outcome, stage, {}))
        return;
    report(added.outcome);
    if (added.ok())
        m_frame.tree()->addStage(added.key);
}

bool CRecordCommands::keptAfterRemoval(const Outcome& outcome, StageRecord stage,
                                       const QList<AppointmentRecord>& appointments)
{
    if (outcome.refusal() != Outcome::Refusal::OwnerGone)
        return false;
    TravelDataStore& store = m_app.store();
    m_frame.resolveRemovedTravel(
        outcome,
        [&store, stage, appointments]() mutable {
            const KeyOutcome travel = store.AddTravel(store.GetTravel(stage.travelKey));
            if (!travel.ok())
                return travel.outcome;
            stage.travelKey = travel.key;
            const KeyOutcome added = store.AddStage(stage);
            if (!added.ok() || appointments.isEmpty())
                return added.outcome;
            return store.SaveAppointments(added.key, appointments);
        },
        [] {});
    return true;
}

void CRecordCommands::modifyStage(const RecordKey& stageKey)
{
    if (stageKey.isEmpty())
        return;
    CStageDlg dialog(m_app.store().GetStage(stageKey), &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted || !m_frame.endPendingEdits())
        return;
    const Outcome saved = m_app.store().SaveStage(dialog.stage());
    if (keptAfterRemoval(saved, dialog.stage(), m_app.store().LoadAppointments(stageKey)))
        return;
    report(saved);
    if (saved.ok())
        m_frame.tree()->updateStage(stageKey);
}

void CRecordCommands::deleteStage(const RecordKey& stageKey)
{
    if (stageKey.isEmpty() ||
        !m_app.prompter().ask(&m_frame, ResourceText(Str::ConfirmDeleteStage)))
        return;
    if (!m_frame.endPendingEdits())
        return;
    const RecordKey travelKey = m_app.store().GetStage(stageKey).travelKey;
    report(m_app.store().DeleteStage(stageKey));
    m_frame.tree()->removeStageNode(travelKey);
}

void CRecordCommands::newAppointment(const RecordKey& stageKey)
{
    if (stageKey.isEmpty() || !m_frame.endPendingEdits())
        return;
    StageDetailModel rows(m_app.displayFormats());
    rows.fill(m_app.store(), stageKey);
    CAppointmentDlg dialog(rows.newAppointment(), &m_frame, CAppointmentDlg::Purpose::Create);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted)
        return;
    rows.addAppointment(dialog.appointment());
    const Outcome saved = rows.save(m_app.store());
    if (keptAfterRemoval(saved, rows.stage(), rows.appointments()))
        return;
    report(saved);
    if (saved.ok())
        m_frame.loadUpperViewForTreeSelection();
}

void CRecordCommands::exportTravel(ExportFormat format)
{
    exportTo(m_frame.upperView()->shownTravel(), format);
}

void CRecordCommands::exportList()
{
    // The list is exported as it stands in the view, edits included.
    if (!m_frame.endPendingEdits())
        return;
    if (const std::optional<ExportFormat> format = m_frame.upperView()->listExport())
        exportTo(m_frame.tree()->selection().travelKey, *format);
}

void CRecordCommands::exportItinerary(const RecordKey& travelKey)
{
    const QString path = m_app.prompter().saveFileName(&m_frame, QStringLiteral("pdf"),
                                                       QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const DisplayFormats& formats = m_app.displayFormats();
    QString error;
    if (!ItineraryPdf::Write(GatherTravel(m_app.store(), travelKey), formats,
                             ItineraryPdf::DefaultPageSize(formats.locale()), buffer, &error)) {
        m_app.prompter().inform(&m_frame,
                                QStringLiteral("The itinerary could not be made: %1").arg(error));
        return;
    }
    writeExport(path, bytes);
}

void CRecordCommands::writeExport(const QString& path, const QByteArray& bytes)
{
    if (Outcome written = SaveDocument(path, bytes); !written.ok()) {
        m_app.prompter().inform(
            &m_frame,
            QStringLiteral("The export could not be written to %1").arg(written.message()));
        return;
    }
    m_frame.showStatus(QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(path)));
    m_app.prompter().openFile(path);
}

void CRecordCommands::exportTo(const RecordKey& travelKey, ExportFormat format)
{
    const ExportKind kind = exportKindOf(format);
    const QString path = m_app.prompter().saveFileName(&m_frame, QLatin1String(kind.suffix),
                                                       QLatin1String(kind.filter));
    if (path.isEmpty() || travelKey.isEmpty())
        return;
    writeExport(path, RenderExportFile(m_app.store(), travelKey, format));
}

void CRecordCommands::preferences()
{
    CPreferenceSheet sheet(m_app.store(), m_app.prompter(), &m_frame);
    m_app.prompter().run(&sheet);
}

void CRecordCommands::importItems(PreferenceList list)
{
    CUpperView* view = m_frame.upperView();
    if (view->importList() != list)
        return;
    CImportItemsDlg dialog(m_app.store(), list, &m_frame);
    if (m_app.prompter().run(&dialog) != QDialog::Accepted || dialog.result().isEmpty())
        return;
    report(view->importItems(dialog.result()));
}
