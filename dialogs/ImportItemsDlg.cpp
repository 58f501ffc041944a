#include "ImportItemsDlg.h"

#include "Bitmaps.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "MasterListDelegate.h"
#include "TravelDataStore.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

CImportItemsDlg::CImportItemsDlg(TravelDataStore& store, PreferenceList list, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    WithControlId(this, Dialog::ImportItemsDlg);
    setWindowTitle(QStringLiteral("Import Items"));
    GuiDrawLayer::ApplyFace(this);
    WithControlId(m_list, Control::ImportItems);
    m_list->setItemDelegate(
        new MasterListDelegate(m_list, LoadImageStrip(Bitmaps::ImportTicks, 16)));
    for (const QString& text : store.ReadPreferenceList(int(list))) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(m_list, &QListWidget::itemClicked, this, &CImportItemsDlg::toggle);
    m_list->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(OkCancelButtons(this, QStringLiteral("Import")));
    // Wide enough for the longest entry, as far as the screen allows; the user may make
    // it wider or narrower still.
    setSizeGripEnabled(true);
    const int rows = m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() +
                     m_list->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout->contentsMargins();
    const QRect screen = (parent ? parent->screen() : this->screen())->availableGeometry();
    resize(std::min(std::max(320, rows + margins.left() + margins.right()), screen.width()),
           std::min(440, screen.height()));
}

void CImportItemsDlg::toggle(QListWidgetItem* item)
{
    if (!item)
        return;
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    m_list->viewport()->update();
}

bool CImportItemsDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Space ticks the marked row, as a click does.
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggle(m_list->currentItem());
        return true;
    }
    return QDialog::eventFilter(watched, event);
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
