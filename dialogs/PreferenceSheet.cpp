#include "PreferenceSheet.h"

#include "Bitmaps.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PreviousTextRole = Qt::UserRole;

// Rows as the master lists draw them: bold, a blank before the text, the marked row
// white on black; in the import list with its tick picture.
class MasterListDelegate : public QStyledItemDelegate {
public:
    MasterListDelegate(QListWidget* list, QList<QPixmap> ticks)
        : QStyledItemDelegate(list), m_list(list), m_ticks(std::move(ticks))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        painter->save();
        const bool marked = m_list->currentIndex() == index;
        painter->fillRect(option.rect, marked ? Qt::black : Qt::white);
        QRect text = option.rect;
        if (!m_ticks.isEmpty()) {
            const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            const QPixmap& tick = m_ticks.value(ticked ? 1 : 0);
            painter->drawPixmap(text.left() + 2, text.top() + (text.height() - 16) / 2, tick);
            text.setLeft(text.left() + 20);
        }
        QFont bold = option.font;
        bold.setBold(true);
        bold.setPixelSize(13);
        painter->setFont(bold);
        painter->setPen(marked ? Qt::white : Qt::black);
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                          QLatin1Char(' ') + index.data().toString());
        painter->restore();
    }

    // Ticks change on a click anywhere in the row (the dialog toggles them), never twice.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override
    {
        return false;
    }

private:
    QListWidget* m_list;
    QList<QPixmap> m_ticks;
};

QToolButton* pictureButton(int id, int picture, const QString& tip, QWidget* parent)
{
    auto* button = WithControlId(new QToolButton(parent), id);
    button->setToolTip(tip);
    button->setIcon(QIcon(LoadBitmap(picture)));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    return button;
}

const char* const pageCaptions[] = {"Mode",     "Priority", "Status",     "Type",
                                    "Products", "Units",    "Master List"};

} // namespace

CPreferencePage::CPreferencePage(TravelDataStore& store, int listNumber, QWidget* parent)
    : QWidget(parent), m_store(store), m_listNumber(listNumber), m_list(new QListWidget(this)),
      m_newItem(new CGuiEdit(this))
{
    setObjectName(QStringLiteral("page%1").arg(listNumber));
    m_list->setObjectName(QStringLiteral("1035"));
    m_newItem->setObjectName(QStringLiteral("1036"));
    m_list->setItemDelegate(new MasterListDelegate(m_list, {}));
    for (const QString& text : m_store.ReadPreferenceList(listNumber)) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setData(PreviousTextRole, text);
    }
    connect(m_list, &QListWidget::itemChanged, this, &CPreferencePage::onItemChanged);
    auto* add = pictureButton(1043, Bitmaps::PreferenceAddUp, QStringLiteral("Add"), this);
    auto* remove = pictureButton(1041, Bitmaps::PreferenceDeleteUp, QStringLiteral("Delete"), this);
    auto* edit = pictureButton(1040, Bitmaps::PreferenceEditUp, QStringLiteral("Edit"), this);
    connect(add, &QToolButton::clicked, this, &CPreferencePage::add);
    connect(remove, &QToolButton::clicked, this, &CPreferencePage::deleteMarked);
    connect(edit, &QToolButton::clicked, this, &CPreferencePage::editMarked);
    connect(m_newItem, &QLineEdit::returnPressed, this, &CPreferencePage::add);
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

void CPreferencePage::showEvent(QShowEvent* event)
{
    m_shown = true;
    QWidget::showEvent(event);
}

CPreferenceSheet::CPreferenceSheet(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("preferenceSheet"));
    setWindowTitle(QStringLiteral("Voyanta Preferences"));
    GuiDrawLayer::ApplyFace(this);
    for (int number = 1; number <= 7; ++number)
        m_tabs->addTab(new CPreferencePage(store, number, m_tabs),
                       QLatin1String(pageCaptions[number - 1]));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(OkCancelButtons(this));
    resize(380, 460);
}

CPreferencePage* CPreferenceSheet::page(int listNumber) const
{
    return static_cast<CPreferencePage*>(m_tabs->widget(listNumber - 1));
}

void CPreferenceSheet::accept()
{
    for (int number = 1; number <= 7; ++number) {
        if (Outcome written = page(number)->commit(); !written.ok()) {
            m_prompter.inform(this, written.message());
            return;
        }
    }
    QDialog::accept();
}

CImportItemsDlg::CImportItemsDlg(TravelDataStore& store, bool products, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("168"));
    setWindowTitle(QStringLiteral("Import Items"));
    GuiDrawLayer::ApplyFace(this);
    m_list->setObjectName(QStringLiteral("1044"));
    m_list->setItemDelegate(
        new MasterListDelegate(m_list, LoadImageStrip(Bitmaps::ImportTicks, 16)));
    for (const QString& text : store.ReadPreferenceList(products ? 5 : 7)) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        m_list->viewport()->update();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(OkCancelButtons(this, QStringLiteral("Import")));
    resize(320, 440);
}

void CImportItemsDlg::accept()
{
    m_result.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked)
            m_result.append(m_list->item(row)->text());
    }
    QDialog::accept();
}
