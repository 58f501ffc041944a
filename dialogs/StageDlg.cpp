#include "StageDlg.h"

#include "DialogParts.h"
#include "GuiKit.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CStageDlg::CStageDlg(const StageRecord& stage, QWidget* parent)
    : QDialog(parent), m_stage(stage),
      m_title(WithControlId(new CGuiEdit(stage.title, this), 1014)),
      m_place(WithControlId(new CGuiEdit(stage.place, this), 1027)),
      m_date(WithControlId(new QDateEdit(EditableMoment(stage.date).date(), this), 1028)),
      m_notes(WithControlId(new QPlainTextEdit(NotesForEditing(stage.notes), this), 1024))
{
    setObjectName(QStringLiteral("143"));
    setWindowTitle(QStringLiteral("Stage Detail"));
    GuiDrawLayer::ApplyFace(this);
    m_date->setCalendarPopup(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Stage &Title"), m_title);
    form->addRow(QStringLiteral("&Place"), m_place);
    form->addRow(QStringLiteral("&Date"), m_date);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Notes"), this));
    layout->addWidget(m_notes);
    layout->addWidget(OkCancelButtons(this));
    resize(440, 360);
}

StageRecord CStageDlg::stage() const
{
    StageRecord stage = m_stage;
    stage.title = m_title->text().trimmed();
    if (stage.title.isEmpty())
        stage.title = QStringLiteral("No Stage");
    stage.place = m_place->text();
    // The date changes only when the user changed it; its time of day stays.
    const QDateTime before = EditableMoment(m_stage.date);
    if (m_date->date() != before.date() || !m_stage.date.isValid())
        stage.date = DateTimeValue::fromDateTime(QDateTime(m_date->date(), before.time()));
    stage.notes = NotesForStoring(m_notes->toPlainText());
    return stage;
}

CAppointmentDlg::CAppointmentDlg(const AppointmentRecord& appointment, QWidget* parent)
    : QDialog(parent), m_subject(WithControlId(new CGuiEdit(appointment.subject, this), 1030)),
      m_location(WithControlId(new CGuiEdit(appointment.location, this), 1031)),
      m_when(WithControlId(new QDateTimeEdit(EditableMoment(appointment.when), this), 1028)),
      m_notes(WithControlId(new QPlainTextEdit(NotesForEditing(appointment.notes), this), 1024)),
      m_original(appointment.when)
{
    setObjectName(QStringLiteral("144"));
    setWindowTitle(QStringLiteral("Appointment"));
    GuiDrawLayer::ApplyFace(this);
    m_when->setDisplayFormat(QStringLiteral("MMM dd, yy hh:mm AP"));
    m_when->setCalendarPopup(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Subject"), m_subject);
    form->addRow(QStringLiteral("&Location"), m_location);
    form->addRow(QStringLiteral("&Date"), m_when);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Notes"), this));
    layout->addWidget(m_notes);
    layout->addWidget(OkCancelButtons(this));
    resize(420, 340);
}

AppointmentRecord CAppointmentDlg::appointment() const
{
    AppointmentRecord appointment(m_original);
    if (m_when->dateTime() != EditableMoment(m_original) || !m_original.isValid())
        appointment.when = DateTimeValue::fromDateTime(m_when->dateTime());
    appointment.subject = m_subject->text();
    appointment.location = m_location->text();
    appointment.notes = NotesForStoring(m_notes->toPlainText());
    return appointment;
}
