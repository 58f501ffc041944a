#include "SelectIconDlg.h"

#include "DialogParts.h"
#include "GuiKit.h"

#include <QListWidget>
#include <QVBoxLayout>

CSelectIconDlg::CSelectIconDlg(const QList<QPixmap>& icons, int current, QWidget* parent)
    : QDialog(parent), m_list(WithControlId(new QListWidget(this), Control::IconList)),
      m_current(current)
{
    WithControlId(this, Dialog::SelectIconDlg);
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
