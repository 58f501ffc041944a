#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QAbstractItemView;

// The in-place editing of an editing list: it knows its one open editor, so that the view
// can commit it before it saves, sorts or adds a row. Tab, Enter and Return commit the
// edit and end it (they are not passed on); Escape reverts the edit or, where the list
// wants it, commits it as well. Losing the focus commits, so nothing typed is lost.
class CListEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum class Escape { Reverts, Commits };

    explicit CListEditDelegate(Escape escape, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const final;
    // Rows are as high as a line of the tallest of the list's fonts (plain, bold, italic)
    // with room above its accented capitals and below its descenders: every row of the
    // list takes the first row's height.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // Commits the open editor and closes it; false when none is open.
    bool endEditing();
    // Whether a point of a view's viewport lies on the check box of a cell.
    bool isOnCheckBox(const QAbstractItemView* view, const QModelIndex& index,
                      const QPoint& position) const;
    QWidget* openEditor() const { return m_editor; }

protected:
    // The editor of a cell; a line edit unless a list says otherwise.
    virtual QWidget* makeEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commitAndClose(QWidget* editor);

    Escape m_escape;
    mutable QPointer<QWidget> m_editor;
};
