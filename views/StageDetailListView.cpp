#include "StageDetailListView.h"

#include "AppointmentDlg.h"
#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DetailSheetDelegate.h"
#include "ListCtrl.h"
#include "PrintTitles.h"
#include "Prompter.h"
#include "StageDetailModel.h"
#include "StringTable.h"
#include "TravelDataStore.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

CStageDetailListView::CStageDetailListView(TravelDataStore& store, Prompter& prompter,
                                           QWidget* parent)
    : CUpperView(ViewKind::StageDetail, store, parent),
      m_model(new StageDetailModel(store.displayFormats(), this)), m_list(new CListCtrl(this))
{
    setPrompter(&prompter);
    m_list->setModel(m_model);
    m_list->setHeaderHidden(true);
    m_list->setItemDelegate(new DetailSheetDelegate(m_list));
    m_list->setWatermark(LoadBitmap(Bitmaps::StageDetailWatermark));
    m_list->setColumnWidthRule(&ColumnWidths::DetailSheet);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_list->viewport()->update();
        emit stateChanged();
    });
}

void CStageDetailListView::load(const TreeSelection& selection)
{
    m_model->fill(m_store, selection.stageKey);
    emit travelChosen(selection.travelKey);
    emit stateChanged();
}

ViewFacts CStageDetailListView::facts() const
{
    ViewFacts facts = CUpperView::facts();
    facts.stageShown = true;
    facts.recordMarked = appointmentMarked();
    return facts;
}

RecordKey CStageDetailListView::shownStage() const
{
    return m_model->stageKey();
}

bool CStageDetailListView::hasUnsavedAppointments() const
{
    return m_model->isModified();
}

bool CStageDetailListView::appointmentMarked() const
{
    return m_model->isAppointmentRow(m_list->markedRow());
}

bool CStageDetailListView::handles(int command) const
{
    switch (command) {
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
    case Cmd::StageNewAppointment:
    case Cmd::TreeStageNewAppointment: // the tree's selected stage is the one shown
    case Cmd::ListNewTravel:
        return !m_model->stageKey().isEmpty();
    case Cmd::AppointmentModify:
    case Cmd::AppointmentDelete:
    case Cmd::StageMenuModifyAppointment:
    case Cmd::StageMenuDeleteAppointment:
    case Cmd::Modify: // on any other row, Modify and Delete act on the stage
    case Cmd::Delete:
        return appointmentMarked();
    default:
        return false;
    }
}

bool CStageDetailListView::run(int command)
{
    if (!handles(command))
        return false;
    switch (command) {
    case Cmd::AppointmentModify:
    case Cmd::StageMenuModifyAppointment:
    case Cmd::Modify:
        modifyAppointment(m_list->markedRow());
        break;
    case Cmd::AppointmentDelete:
    case Cmd::StageMenuDeleteAppointment:
    case Cmd::Delete:
        deleteAppointment(m_list->markedRow());
        break;
    default:
        newAppointment();
        break;
    }
    return true;
}

void CStageDetailListView::newAppointment()
{
    CAppointmentDlg dialog(m_model->newAppointment(), this, CAppointmentDlg::Purpose::Create);
    if (m_prompter->run(&dialog) != QDialog::Accepted)
        return;
    const int row = m_model->addAppointment(dialog.appointment());
    m_list->markRow(row);
    m_list->scrollTo(m_model->index(row, 0));
    emit stateChanged();
}

void CStageDetailListView::modifyAppointment(int row)
{
    if (!m_model->isAppointmentRow(row))
        return;
    CAppointmentDlg dialog(m_model->appointment(row), this);
    if (m_prompter->run(&dialog) != QDialog::Accepted)
        return;
    const AppointmentRecord changed = dialog.appointment();
    if (changed == m_model->appointment(row))
        return;
    const int now = m_model->setAppointment(row, changed);
    m_list->scrollTo(m_model->index(now, 0));
    emit stateChanged();
}

void CStageDetailListView::deleteAppointment(int row)
{
    if (!m_model->isAppointmentRow(row) ||
        !m_prompter->ask(this, ResourceText(Str::ConfirmDeleteAppointment)))
        return;
    m_model->removeAppointment(row);
    // Without appointments the section is gone, and the stage's file says so at once.
    if (!m_model->hasAppointmentSection()) {
        m_list->markRow(-1);
        if (const Outcome saved = save(); !saved.ok())
            m_prompter->inform(this, saved.message());
    }
    m_list->viewport()->update();
    emit stateChanged();
}

Outcome CStageDetailListView::save()
{
    return m_model->save(m_store);
}

void CStageDetailListView::discardChanges()
{
    m_model->fill(m_store, m_model->stageKey());
    emit stateChanged();
}

Outcome CStageDetailListView::keepAsNewTravel()
{
    if (!m_model->isModified())
        return {};
    StageRecord stage = m_store.GetStage(m_model->stageKey());
    const KeyOutcome travel = m_store.AddTravel(m_store.GetTravel(stage.travelKey));
    if (!travel.ok())
        return travel.outcome;
    stage.travelKey = travel.key;
    const KeyOutcome added = m_store.AddStage(stage);
    if (!added.ok())
        return added.outcome;
    const Outcome saved = m_store.SaveAppointments(added.key, m_model->appointments());
    if (saved.ok())
        m_model->setSaved();
    return saved;
}

const QAbstractItemModel* CStageDetailListView::printModel() const
{
    return m_model;
}

QList<int> CStageDetailListView::printColumnWidths() const
{
    return m_list->columnWidths();
}

void CStageDetailListView::openRow(int row)
{
    const int heading = m_model->detailRowCount() + 1;
    if (row < 0 || row == heading)
        return;
    m_list->markRow(row);
    if (row < heading)
        emit commandRequested(Cmd::StageModify);
    else
        modifyAppointment(row);
}

bool CStageDetailListView::eventFilter(QObject* watched, QEvent* event)
{
    // A right click on an appointment marks it and opens the appointment menu; anywhere
    // else it does nothing.
    if (watched == m_list->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                          event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            return CUpperView::eventFilter(watched, event);
        const QPoint at = mouse->position().toPoint();
        const int row = m_list->indexAt(at).row();
        if (event->type() == QEvent::MouseButtonPress && m_model->isAppointmentRow(row)) {
            m_list->markRow(row);
            emit contextMenuRequested(PopupMenu::Appointment, m_list->viewport()->mapToGlobal(at));
        }
        return true;
    }
    if (watched == m_list && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        if (appointmentMarked()) {
            const QRect row = m_list->visualRect(m_list->currentIndex());
            emit contextMenuRequested(PopupMenu::Appointment,
                                      m_list->viewport()->mapToGlobal(row.center()));
        }
        return true;
    }
    // Enter opens the marked row, as a double click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(m_list->markedRow());
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}

QString CStageDetailListView::printTitle() const
{
    return PrintTitles::StageDetailsFor(m_model->stage().title);
}

void CStageDetailListView::markFound(const FindMatch& match)
{
    if (match.kind == FindKind::Stage) {
        const int row = match.field == QLatin1String("place")   ? StageDetailModel::PlaceRow
                        : match.field == QLatin1String("notes") ? StageDetailModel::NotesRow
                                                                : StageDetailModel::TitleRow;
        m_list->markRow(row);
        return;
    }
    for (int row = m_model->firstAppointmentRow(); row < m_model->rowCount(); ++row) {
        const AppointmentRecord& appointment = m_model->appointment(row);
        if (appointment.subject == match.title && appointment.when == match.date) {
            m_list->markRow(row);
            m_list->scrollTo(m_model->index(row, 0));
            return;
        }
    }
}
