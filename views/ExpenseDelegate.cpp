#include "ExpenseDelegate.h"

#include "Currency.h"
#include "ExpenseModel.h"
#include "ListNumberEdit.h"
#include "ListUnitCombo.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace {

const QColor gridColour(0xD8, 0xD8, 0xD8);

ExpenseModel::RowKind kindOf(const QModelIndex& index)
{
    return ExpenseModel::RowKind(index.data(ExpenseModel::RowKindRole).toInt());
}

} // namespace

ExpenseDelegate::ExpenseDelegate(const QLocale& locale, UnitSource units, QObject* parent)
    : CListEditDelegate(Escape::Commits, parent), m_locale(locale), m_units(std::move(units))
{
}

void ExpenseDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    switch (kindOf(index)) {
    case ExpenseModel::RowKind::Expense:
        QStyledItemDelegate::paint(painter, option, index);
        if (option.state & QStyle::State_HasFocus) {
            // The cell that Enter edits, plain to see on the marked row too.
            painter->save();
            const bool selected = option.state & QStyle::State_Selected;
            painter->setPen(
                QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1,
                     Qt::DotLine));
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
        break;
    case ExpenseModel::RowKind::GrandTotal:
    case ExpenseModel::RowKind::Subtotal: {
        const QString text = index.data().toString();
        if (text.isEmpty())
            break;
        painter->save();
        painter->setFont(index.data(Qt::FontRole).value<QFont>().resolve(option.font));
        const QVariant colour = index.data(Qt::ForegroundRole);
        painter->setPen(colour.isValid() ? colour.value<QColor>()
                                         : option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(0, 0, -2, 0),
                          Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
        break;
    }
    case ExpenseModel::RowKind::Separator:
        break;
    }
    painter->save();
    painter->setPen(gridColour);
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

QWidget* ExpenseDelegate::makeEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    switch (index.column()) {
    case ExpenseModel::Quantity:
    case ExpenseModel::PricePerUnit:
        return new CListNumberEdit(m_locale, parent);
    case ExpenseModel::PaidPrice: {
        const QString code = index.siblingAtColumn(ExpenseModel::CurrencyCode).data().toString();
        return new CListNumberEdit(m_locale, parent, Currency::Digits(code));
    }
    case ExpenseModel::RateDate: {
        auto* date = new QDateEdit(parent);
        date->setCalendarPopup(true);
        date->setDisplayFormat(m_locale.dateFormat(QLocale::ShortFormat));
        return date;
    }
    case ExpenseModel::Unit:
    case ExpenseModel::CurrencyCode: {
        // The currency list's blank first entry is the home currency.
        auto* combo = new CListUnitCombo(index.column() == ExpenseModel::Unit
                                             ? (m_units ? m_units() : QStringList())
                                             : Currency::CurrentCodes(),
                                         parent);
        combo->setMaxVisibleItems(12);
        // The list drops down at once, once the box stands over its cell.
        QTimer::singleShot(0, combo, [combo] {
            if (combo->isVisible())
                combo->showPopup();
        });
        return combo;
    }
    default: {
        QWidget* editor = CListEditDelegate::makeEditor(parent, option, index);
        editor->setObjectName(QStringLiteral("CListCellEdit"));
        return editor;
    }
    }
}

void ExpenseDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<CListUnitCombo*>(editor)) {
        combo->choose(index.data(Qt::EditRole).toString());
        return;
    }
    CListEditDelegate::setEditorData(editor, index);
}

void ExpenseDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<CListUnitCombo*>(editor)) {
        // Opening and closing the list leaves the unit as it was.
        if (combo->changed())
            model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, line->text(), Qt::EditRole);
        return;
    }
    CListEditDelegate::setModelData(editor, model, index);
}
