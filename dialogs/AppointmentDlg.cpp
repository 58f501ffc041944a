#include "AppointmentDlg.h"

#include "DialogParts.h"
#include "DisplayFormats.h"
#include "GuiKit.h"
#include "NotesEdit.h"

#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The moment the dialog starts from: a new appointment's without the seconds that the
// editor cannot show (and now, on the minute, when none is given); an appointment that
// is changed keeps its own until the user edits it.
DateTimeValue startingMoment(const DateTimeValue& given, CAppointmentDlg::Purpose purpose)
{
    if (purpose == CAppointmentDlg::Purpose::Change)
        return given;
    QDateTime moment = EditableMoment(given);
    moment.setTime(QTime(moment.time().hour(), moment.time().minute()));
    return DateTimeValue::fromDateTime(moment);
}

} // namespace

CAppointmentDlg::CAppointmentDlg(const AppointmentRecord& appointment, QWidget* parent,
                                 Purpose purpose)
    : QDialog(parent), m_original(startingMoment(appointment.when, purpose))
{
    m_subject = WithControlId(new CGuiEdit(appointment.subject, this), Control::Subject);
    m_location = WithControlId(new CGuiEdit(appointment.location, this), Control::Location);
    m_when = WithControlId(new QDateTimeEdit(EditableMoment(m_original), this), Control::Date);
    m_notes =
        WithControlId(new CNotesEdit(NotesForEditing(appointment.notes), this), Control::Notes);
    WithControlId(this, Dialog::AppointmentDlg);
    setWindowTitle(QStringLiteral("Appointment"));
    GuiDrawLayer::ApplyFace(this);
    // Date and time as the locale writes them short, as the stage dialog and the rows
    // show them.
    m_when->setDisplayFormat(DisplayFormats(locale()).ShortDateTimeFormat());
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
