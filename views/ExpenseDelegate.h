#pragma once

#include "ListEditDelegate.h"

#include <QLocale>

#include <functional>

// How the expense list draws and edits its cells. Expense rows are drawn as usual, with
// grid lines; the separator row is left empty and the Grand Total row shows only its
// label and sum, in bold red. The editors: a text box for the product, number boxes for
// quantity and prices (the paid price with as many decimals as its currency has), and a
// drop-down list of the units for the unit, which changes the unit only when another one
// is picked. Escape commits what was typed, as Tab and Enter do.
class ExpenseDelegate : public CListEditDelegate {
    Q_OBJECT

public:
    // The units offered, read afresh each time the drop-down opens.
    using UnitSource = std::function<QStringList()>;

    // The number boxes take amounts as the locale writes them.
    ExpenseDelegate(const QLocale& locale, UnitSource units, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    QWidget* makeEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

private:
    QLocale m_locale;
    UnitSource m_units;
};
