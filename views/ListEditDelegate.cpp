#include "ListEditDelegate.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

CListEditDelegate::CListEditDelegate(Escape escape, QObject* parent)
    : QStyledItemDelegate(parent), m_escape(escape)
{
}

QWidget* CListEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = makeEditor(parent, option, index);
    m_editor = editor;
    return editor;
}

QSize CListEditDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    constexpr int padding = 2; // above and below the line
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    int line = 0;
    for (const bool bold : {false, true}) {
        for (const bool italic : {false, true}) {
            QFont font = item.font;
            font.setBold(bold);
            font.setItalic(italic);
            line = std::max(line, QFontMetrics(font).height());
        }
    }
    size.setHeight(std::max(size.height(), line + 2 * padding));
    return size;
}

QWidget* CListEditDelegate::makeEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CListEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (m_editor == editor)
        m_editor.clear();
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool CListEditDelegate::endEditing()
{
    if (!m_editor)
        return false;
    commitAndClose(m_editor);
    return true;
}

bool CListEditDelegate::isOnCheckBox(const QAbstractItemView* view, const QModelIndex& index,
                                     const QPoint& position) const
{
    if (!index.isValid() || !(index.flags() & Qt::ItemIsUserCheckable))
        return false;
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    initStyleOption(&option, index);
    return view->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view)
        .contains(position);
}

void CListEditDelegate::commitAndClose(QWidget* editor)
{
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CListEditDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Enter:
        case Qt::Key_Return:
            commitAndClose(editor);
            return true;
        case Qt::Key_Escape:
            if (m_escape == Escape::Commits) {
                commitAndClose(editor);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
