#include "TravelPage1.h"

#include "Bitmaps.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "PreferenceCombo.h"
#include "Prompter.h"
#include "SelectIconDlg.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QToolButton>

CTravelPage1::CTravelPage1(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QWizardPage(parent), m_prompter(prompter),
      m_title(WithControlId(new CGuiEdit(this), Control::Title)),
      m_mode(PreferenceCombo(store, PreferenceList::Mode, Control::Mode, this)),
      m_from(WithControlId(new CGuiEdit(this), Control::From)),
      m_destination(WithControlId(new CGuiEdit(this), Control::Destination)),
      m_start(WithControlId(new QDateEdit(this), Control::Starts)),
      m_end(WithControlId(new QDateEdit(this), Control::Ends)),
      m_type(PreferenceCombo(store, PreferenceList::Type, Control::Type, this)),
      m_priority(PreferenceCombo(store, PreferenceList::Priority, Control::Priority, this)),
      m_icon(WithControlId(new QToolButton(this), Control::Icon)),
      m_icons(LoadImageStrip(Bitmaps::TravelIcons32, 32))
{
    WithControlId(this, Dialog::TravelPage1);
    m_icon->setIconSize(QSize(32, 32));
    m_icon->setToolTip(QStringLiteral("Choose the travel's icon"));
    connect(m_icon, &QToolButton::clicked, this, &CTravelPage1::chooseIcon);
    for (QDateEdit* picker : {m_start, m_end}) {
        picker->setCalendarPopup(true);
        // A date counts once the user has finished with it: typed and left, or picked
        // from the calendar. Half-typed dates bound nothing.
        connect(picker, &QDateEdit::editingFinished, this,
                [this, picker] { onDateChosen(picker); });
        connect(
            picker->calendarWidget(), &QCalendarWidget::clicked, this,
            [this, picker] { onDateChosen(picker); }, Qt::QueuedConnection);
    }
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Title"), m_title);
    form->addRow(QStringLiteral("Travel &Mode"), m_mode);
    form->addRow(QStringLiteral("&From"), m_from);
    form->addRow(QStringLiteral("&Destination"), m_destination);
    form->addRow(QStringLiteral("&Starts"), m_start);
    form->addRow(QStringLiteral("&Ends"), m_end);
    form->addRow(QStringLiteral("T&ype"), m_type);
    form->addRow(QStringLiteral("&Priority"), m_priority);
    form->addRow(QStringLiteral("&Icon"), m_icon);
}

void CTravelPage1::show(const TravelRecord& travel)
{
    m_title->setText(travel.title);
    m_mode->setEditText(travel.mode);
    m_from->setText(travel.from);
    m_destination->setText(travel.destination);
    m_start->setDate(EditableMoment(travel.start).date());
    m_end->setDate(EditableMoment(travel.end).date());
    m_acceptedStart = m_start->date();
    m_acceptedEnd = m_end->date();
    m_startTime = EditableMoment(travel.start).time();
    m_endTime = EditableMoment(travel.end).time();
    m_type->setEditText(travel.type);
    m_priority->setEditText(travel.priority);
    m_iconIndex = travel.icon;
    showIcon();
}

void CTravelPage1::take(TravelRecord& travel) const
{
    travel.title = m_title->text();
    travel.mode = m_mode->currentText();
    travel.from = m_from->text();
    travel.destination = m_destination->text();
    if (!travel.start.isValid() || EditableMoment(travel.start).date() != m_start->date())
        travel.start = DateTimeValue::fromDate(m_start->date(), m_startTime);
    if (!travel.end.isValid() || EditableMoment(travel.end).date() != m_end->date())
        travel.end = DateTimeValue::fromDate(m_end->date(), m_endTime);
    travel.type = m_type->currentText();
    travel.priority = m_priority->currentText();
    travel.icon = m_iconIndex;
}

void CTravelPage1::onDateChosen(QDateEdit* picker)
{
    // Each date bounds the other once the user has changed it, and a date beyond its
    // bound is refused; no range is set before, so a travel stored with its start after
    // its end opens unchanged. The other date itself never moves.
    if (picker == m_start) {
        const QDate start = m_start->date();
        if (start == m_acceptedStart)
            return;
        if (m_latestStart.isValid() && start > m_latestStart) {
            m_start->setDate(m_acceptedStart);
            return;
        }
        m_acceptedStart = start;
        m_earliestEnd = start;
        return;
    }
    const QDate end = m_end->date();
    if (end == m_acceptedEnd)
        return;
    if (m_earliestEnd.isValid() && end < m_earliestEnd) {
        m_end->setDate(m_acceptedEnd);
        return;
    }
    m_acceptedEnd = end;
    m_latestStart = end;
}

void CTravelPage1::showIcon()
{
    const bool known = m_iconIndex >= 0 && m_iconIndex < m_icons.size();
    m_icon->setIcon(known ? QIcon(m_icons[m_iconIndex]) : QIcon());
}

void CTravelPage1::chooseIcon()
{
    CSelectIconDlg dialog(m_icons, m_iconIndex, this);
    if (m_prompter.run(&dialog) != QDialog::Accepted)
        return;
    m_iconIndex = dialog.chosen();
    showIcon();
}
