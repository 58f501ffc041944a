#include "FindDlg.h"

#include "ControlIds.h"
#include "FindResultsModel.h"
#include "GuiKit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The found text with the part that matched drawn bold on a highlight.
class MatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QVariant match = index.data(FindResultsModel::MatchRole);
        if (!match.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        item.widget->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        const QPoint range = match.toPoint();
        const QString before = text.left(range.x()).toHtmlEscaped();
        const QString found = text.mid(range.x(), range.y()).toHtmlEscaped();
        const QString after = text.mid(range.x() + range.y()).toHtmlEscaped();
        QTextDocument document;
        document.setDefaultFont(item.font);
        document.setDocumentMargin(0);
        document.setHtml(QStringLiteral("%1<b style=\"background-color:#f6e27a\">%2</b>%3")
                             .arg(before, found, after));
        painter->save();
        const QRect area = item.rect.adjusted(4, 0, -4, 0);
        painter->translate(area.left(),
                           area.top() + (area.height() - document.size().height()) / 2);
        painter->setClipRect(QRect(0, 0, area.width(), area.height()));
        document.drawContents(painter);
        painter->restore();
    }
};

} // namespace

CFindDlg::CFindDlg(FindResultsModel& results, QWidget* parent)
    : QDialog(parent), m_results(results), m_input(new CGuiEdit(this)),
      m_matches(new QTreeView(this)), m_count(new QLabel(this))
{
    WithControlId(this, Dialog::FindDlg);
    WithControlId(m_input, Control::FindText);
    WithControlId(m_matches, Control::FindMatches);
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    GuiDrawLayer::ApplyFace(this);
    m_input->setPlaceholderText(QStringLiteral("A word in a title, a place, notes, an entry..."));
    m_input->setClearButtonEnabled(true);
    m_matches->setModel(&m_results);
    m_matches->setRootIsDecorated(false);
    m_matches->setUniformRowHeights(true);
    m_matches->setAllColumnsShowFocus(true);
    m_matches->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_matches->setItemDelegateForColumn(FindResultsModel::Text, new MatchDelegate(m_matches));
    m_matches->header()->setStretchLastSection(true);
    // Wide enough for the longest kind with its field, "Appointment (location)".
    m_matches->setColumnWidth(
        FindResultsModel::Kind,
        fontMetrics().horizontalAdvance(QStringLiteral("Appointment (location)")) + 16);
    m_matches->setColumnWidth(FindResultsModel::Title, 180);
    m_matches->setColumnWidth(FindResultsModel::Date, 120);
    auto* label = new QLabel(QStringLiteral("&Find:"), this);
    label->setBuddy(m_input);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_input);
    layout->addWidget(m_matches, 1);
    layout->addWidget(m_count);
    resize(720, 420);

    connect(m_input, &QLineEdit::textChanged, this, &CFindDlg::searchRequested);
    connect(m_matches, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit matchChosen(index.row()); });
    m_input->installEventFilter(this);
}

void CFindDlg::setCount(int shown, bool more)
{
    if (m_input->text().trimmed().isEmpty())
        m_count->clear();
    else if (shown == 0)
        m_count->setText(QStringLiteral("Nothing found"));
    else
        m_count->setText(more ? QStringLiteral("The first %1 matches").arg(shown)
                              : QStringLiteral("%1 match(es)").arg(shown));
    if (shown > 0 && !m_matches->currentIndex().isValid())
        m_matches->setCurrentIndex(m_results.index(0, 0));
}

void CFindDlg::chooseCurrent()
{
    if (m_matches->currentIndex().isValid())
        emit matchChosen(m_matches->currentIndex().row());
}

bool CFindDlg::eventFilter(QObject* watched, QEvent* event)
{
    // From the box, Up and Down walk the matches and Enter shows the marked one.
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            const int row = m_matches->currentIndex().row() + (key == Qt::Key_Down ? 1 : -1);
            if (row >= 0 && row < m_results.rowCount())
                m_matches->setCurrentIndex(m_results.index(row, 0));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
