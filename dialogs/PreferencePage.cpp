#include "PreferencePage.h"

#include "Bitmaps.h"
#include "ControlIds.h"
#include "GuiKit.h"
#include "MasterListDelegate.h"
#include "TravelDataStore.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PreviousTextRole = Qt::UserRole;

QToolButton* pictureButton(Control id, int picture, const QString& tip, QWidget* parent)
{
    auto* button = WithControlId(new QToolButton(parent), id);
    button->setToolTip(tip);
    button->setIcon(QIcon(LoadBitmap(picture)));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    return button;
}

} // namespace

CPreferencePage::CPreferencePage(TravelDataStore& store, int listNumber, QWidget* parent)
    : QWidget(parent), m_store(store), m_listNumber(listNumber), m_list(new QListWidget(this)),
      m_newItem(new CGuiEdit(this))
{
    setObjectName(QStringLiteral("page%1").arg(listNumber));
    WithControlId(m_list, Control::MasterItems);
    WithControlId(m_newItem, Control::NewItem);
    m_list->setItemDelegate(new MasterListDelegate(m_list, {}));
    for (const QString& text : m_store.ReadPreferenceList(listNumber)) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setData(PreviousTextRole, text);
    }
    connect(m_list, &QListWidget::itemChanged, this, &CPreferencePage::onItemChanged);
    auto* add =
        pictureButton(Control::AddItem, Bitmaps::PreferenceAddUp, QStringLiteral("Add"), this);
    auto* remove = pictureButton(Control::DeleteItem, Bitmaps::PreferenceDeleteUp,
                                 QStringLiteral("Delete"), this);
    auto* edit =
        pictureButton(Control::EditItem, Bitmaps::PreferenceEditUp, QStringLiteral("Edit"), this);
    connect(add, &QToolButton::clicked, this, &CPreferencePage::add);
    connect(remove, &QToolButton::clicked, this, &CPreferencePage::deleteMarked);
    connect(edit, &QToolButton::clicked, this, &CPreferencePage::editMarked);
    // Enter in the box adds its text and nothing more: it must not end the sheet.
    m_newItem->installEventFilter(this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_newItem, 1);
    row->addWidget(add);
    row->addWidget(edit);
    row->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(row);
}

QStringList CPreferencePage::items() const
{
    QStringList texts;
    for (int row = 0; row < m_list->count(); ++row)
        texts.append(m_list->item(row)->text());
    return texts;
}

void CPreferencePage::add()
{
    const QString text = m_newItem->text().trimmed();
    if (text.isEmpty())
        return;
    auto* item = new QListWidgetItem(text, m_list);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(PreviousTextRole, text);
    m_newItem->clear();
}

void CPreferencePage::deleteMarked()
{
    delete m_list->currentItem();
}

void CPreferencePage::editMarked()
{
    if (QListWidgetItem* item = m_list->currentItem()) {
        m_list->setFocus();
        m_list->editItem(item);
    }
}

void CPreferencePage::onItemChanged(QListWidgetItem* item)
{
    const QSignalBlocker blocker(m_list);
    const QString trimmed = item->text().trimmed();
    item->setText(trimmed.isEmpty() ? item->data(PreviousTextRole).toString() : trimmed);
    item->setData(PreviousTextRole, item->text());
}

Outcome CPreferencePage::commit()
{
    if (!m_shown)
        return {};
    m_list->setFocus(); // ends an edit in progress
    return m_store.WritePreferenceList(items().join(QLatin1Char('\n')), m_listNumber);
}

bool CPreferencePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_newItem && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            add();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CPreferencePage::showEvent(QShowEvent* event)
{
    m_shown = true;
    QWidget::showEvent(event);
}
