#include "TravelSheet.h"

#include "Bitmaps.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWizard>

namespace {

QComboBox* preferenceCombo(TravelDataStore& store, int list, int id, QWidget* parent)
{
    auto* combo = WithControlId(new CGuiComboBoxExt(parent), id);
    combo->setEditable(true);
    combo->addItems(store.ReadPreferenceList(list));
    return combo;
}

} // namespace

CTravelPage1::CTravelPage1(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QWizardPage(parent), m_prompter(prompter), m_title(WithControlId(new CGuiEdit(this), 1014)),
      m_mode(preferenceCombo(store, 1, 1019, this)),
      m_from(WithControlId(new CGuiEdit(this), 1015)),
      m_destination(WithControlId(new CGuiEdit(this), 1016)),
      m_start(WithControlId(new QDateEdit(this), 1017)),
      m_end(WithControlId(new QDateEdit(this), 1018)),
      m_type(preferenceCombo(store, 4, 1020, this)),
      m_priority(preferenceCombo(store, 2, 1021, this)),
      m_icon(WithControlId(new QToolButton(this), 1034)),
      m_icons(LoadImageStrip(Bitmaps::TravelIcons32, 32))
{
    setObjectName(QStringLiteral("106"));
    m_start->setCalendarPopup(true);
    m_end->setCalendarPopup(true);
    m_icon->setIconSize(QSize(32, 32));
    m_icon->setToolTip(QStringLiteral("Choose the travel's icon"));
    connect(m_icon, &QToolButton::clicked, this, &CTravelPage1::chooseIcon);
    // Each date bounds the other once the user changes it.
    connect(m_end, &QDateEdit::userDateChanged, this,
            [this](QDate end) { m_start->setMaximumDate(end); });
    connect(m_start, &QDateEdit::userDateChanged, this,
            [this](QDate start) { m_end->setMinimumDate(start); });
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
    const QSignalBlocker blockStart(m_start);
    const QSignalBlocker blockEnd(m_end);
    m_start->setDate(EditableMoment(travel.start).date());
    m_end->setDate(EditableMoment(travel.end).date());
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

CTravelPage2::CTravelPage2(TravelDataStore& store, QWidget* parent)
    : QWizardPage(parent), m_status(preferenceCombo(store, 3, 1025, this)),
      m_ticket(WithControlId(new CGuiEdit(this), 1022)),
      m_seat(WithControlId(new CGuiEdit(this), 1023)),
      m_notes(WithControlId(new QPlainTextEdit(this), 1024))
{
    setObjectName(QStringLiteral("135"));
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

CTravelSheet::CTravelSheet(Form form, const TravelRecord& travel, TravelDataStore& store,
                           Prompter& prompter, QWidget* parent, int startPage)
    : m_travel(travel)
{
    m_page1 = new CTravelPage1(store, prompter);
    m_page2 = new CTravelPage2(store);
    m_page1->show(travel);
    m_page2->show(travel);
    if (form == Form::Wizard) {
        auto* wizard = new QWizard(parent);
        wizard->setWizardStyle(QWizard::ModernStyle);
        wizard->setPixmap(QWizard::WatermarkPixmap, LoadBitmap(Bitmaps::WizardWatermark));
        wizard->setPixmap(QWizard::LogoPixmap, LoadBitmap(Bitmaps::WizardHeader));
        wizard->setOption(QWizard::NoCancelButton, false);
        wizard->addPage(m_page1);
        wizard->addPage(m_page2);
        wizard->setWindowTitle(QStringLiteral("New Travel"));
        m_dialog = wizard;
    } else {
        auto* dialog = new QDialog(parent);
        dialog->setWindowTitle(QStringLiteral("Modify Travel"));
        GuiDrawLayer::ApplyFace(dialog);
        auto* tabs = new QTabWidget(dialog);
        tabs->setObjectName(QStringLiteral("pages"));
        tabs->addTab(m_page1, QStringLiteral("Travel Detail"));
        tabs->addTab(m_page2, QStringLiteral("Travel Notes"));
        tabs->setCurrentIndex(startPage);
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(tabs);
        layout->addWidget(OkCancelButtons(dialog));
        m_dialog = dialog;
    }
    m_dialog->setObjectName(QStringLiteral("travelSheet"));
    m_dialog->resize(480, 460);
}

CTravelSheet::~CTravelSheet()
{
    delete m_dialog;
}

TravelRecord CTravelSheet::record() const
{
    TravelRecord travel = m_travel;
    m_page1->take(travel);
    m_page2->take(travel);
    travel.title = travel.title.trimmed();
    if (travel.title.isEmpty())
        travel.title = QStringLiteral("No Title");
    return travel;
}

CSelectIconDlg::CSelectIconDlg(const QList<QPixmap>& icons, int current, QWidget* parent)
    : QDialog(parent), m_list(WithControlId(new QListWidget(this), 1005)), m_current(current)
{
    setObjectName(QStringLiteral("134"));
    setWindowTitle(QStringLiteral("Select Icon"));
    GuiDrawLayer::ApplyFace(this);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(32, 32));
    m_list->setGridSize(QSize(44, 44));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    for (const QPixmap& icon : icons)
        new QListWidgetItem(QIcon(icon), QString(), m_list);
    if (current >= 0 && current < m_list->count()) {
        m_list->setCurrentRow(current);
        m_list->scrollToItem(m_list->item(current));
    }
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(OkCancelButtons(this));
    resize(520, 420);
}

int CSelectIconDlg::chosen() const
{
    return m_list->currentRow() >= 0 ? m_list->currentRow() : m_current;
}
