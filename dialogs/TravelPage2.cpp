#include "TravelPage2.h"

#include "DialogParts.h"
#include "GuiKit.h"
#include "NotesEdit.h"
#include "PreferenceCombo.h"

#include <QComboBox>
#include <QFormLayout>

CTravelPage2::CTravelPage2(TravelDataStore& store, QWidget* parent)
    : QWizardPage(parent),
      m_status(PreferenceCombo(store, PreferenceList::Status, Control::Status, this)),
      m_ticket(WithControlId(new CGuiEdit(this), Control::TicketNo)),
      m_seat(WithControlId(new CGuiEdit(this), Control::SeatNo)),
      m_notes(WithControlId(new CNotesEdit(QString(), this), Control::Notes))
{
    WithControlId(this, Dialog::TravelPage2);
    setTitle(QStringLiteral("Notes"));
    setSubTitle(QStringLiteral("Add Notes to the Travel"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Status"), m_status);
    form->addRow(QStringLiteral("Ticket &No."), m_ticket);
    form->addRow(QStringLiteral("Flight/Seat N&o."), m_seat);
    form->addRow(QStringLiteral("N&otes"), m_notes);
}

void CTravelPage2::show(const TravelRecord& travel)
{
    m_status->setEditText(travel.status);
    m_ticket->setText(travel.ticketNo);
    m_seat->setText(travel.seatNo);
    m_notes->setPlainText(NotesForEditing(travel.notes));
}

void CTravelPage2::take(TravelRecord& travel) const
{
    travel.status = m_status->currentText();
    travel.ticketNo = m_ticket->text();
    travel.seatNo = m_seat->text();
    travel.notes = NotesForStoring(m_notes->toPlainText());
}
