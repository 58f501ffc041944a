#include "StageDlg.h"

#include "DialogParts.h"
#include "GuiKit.h"
#include "NotesEdit.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

CStageDlg::CStageDlg(const StageRecord& stage, QWidget* parent)
    : QDialog(parent), m_stage(stage),
      m_title(WithControlId(new CGuiEdit(stage.title, this), Control::Title)),
      m_place(WithControlId(new CGuiEdit(stage.place, this), Control::Place)),
      m_date(WithControlId(new QDateEdit(EditableMoment(stage.date).date(), this), Control::Date)),
      m_notes(WithControlId(new CNotesEdit(NotesForEditing(stage.notes), this), Control::Notes))
{
    WithControlId(this, Dialog::StageDlg);
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
        stage.date = DateTimeValue::fromDate(m_date->date(), before.time());
    stage.notes = NotesForStoring(m_notes->toPlainText());
    return stage;
}
