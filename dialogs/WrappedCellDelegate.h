#pragma once

#include <QStyledItemDelegate>

class QTreeView;

// Cells whose text wraps within its column, however narrow, with every line of it shown.
// A tree view measures a row's height without its columns' widths, so a text with a line
// break of its own that also wraps was given too few lines and cut short.
class WrappedCellDelegate : public QStyledItemDelegate {
public:
    explicit WrappedCellDelegate(QTreeView* view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QTreeView* m_view;
};
