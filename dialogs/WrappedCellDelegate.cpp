#include "WrappedCellDelegate.h"

#include <QHeaderView>
#include <QTreeView>

WrappedCellDelegate::WrappedCellDelegate(QTreeView* view) : QStyledItemDelegate(view), m_view(view)
{
    m_view->setWordWrap(true);
    // A column that grows or shrinks changes how many lines its cells need; the rows are
    // measured again once every column has taken its new width.
    connect(m_view->header(), &QHeaderView::sectionResized, this, [this] {
        QMetaObject::invokeMethod(m_view, &QTreeView::doItemsLayout, Qt::QueuedConnection);
    });
}

QSize WrappedCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    // A column sized to its contents takes its width from them, unwrapped.
    if (m_view->header()->sectionResizeMode(index.column()) == QHeaderView::ResizeToContents)
        return QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem measured = option;
    measured.rect = QRect(0, 0, m_view->columnWidth(index.column()), 1);
    return QStyledItemDelegate::sizeHint(measured, index);
}
