#include "ExpenseModel.h"

#include "ExpenseTotals.h"
#include "NumberEntry.h"

#include <QColor>
#include <QFont>

#include <algorithm>
#include <numeric>

ExpenseModel::ExpenseModel(const DisplayFormats& formats, QObject* parent)
    : EditedListModel(parent), m_formats(formats), m_collator(formats.locale())
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    startCaption();
}

void ExpenseModel::setExpenses(const QList<ExpenseRecord>& expenses)
{
    beginResetModel();
    m_lines.clear();
    m_lines.reserve(expenses.size());
    for (const ExpenseRecord& record : expenses) {
        Line line{record, NumberEntry::Write(record.quantity, m_formats.locale())};
        // A file written elsewhere may hold a total unrounded; it is shown and summed rounded.
        line.record.total = ExpenseTotals::ShownTotal(record, m_formats);
        m_lines.append(line);
    }
    endResetModel();
    sortByCode(0);
    updateGrandTotal();
    rowsFilled();
}

void ExpenseModel::clear()
{
    setExpenses({});
}

QList<ExpenseRecord> ExpenseModel::expenses() const
{
    QList<ExpenseRecord> records;
    records.reserve(m_lines.size());
    for (const Line& line : m_lines)
        records.append(line.record);
    return records;
}

ExpenseModel::RowKind ExpenseModel::rowKind(int row) const
{
    if (row < expenseCount())
        return RowKind::Expense;
    return row == expenseCount() ? RowKind::Separator : RowKind::GrandTotal;
}

int ExpenseModel::addExpense(const QString& product)
{
    Line line{ExpenseRecord{}, QString(), false, false};
    line.record.product = product;
    const int row = expenseCount();
    // The first expense brings the separator and the Grand Total rows with it.
    beginInsertRows({}, row, row == 0 ? 2 : row);
    m_lines.append(line);
    endInsertRows();
    changed();
    return row;
}

bool ExpenseModel::removeExpense(int row)
{
    if (row < 0 || row >= expenseCount())
        return false;
    const bool last = expenseCount() == 1;
    beginRemoveRows({}, row, last ? 2 : row);
    m_lines.removeAt(row);
    endRemoveRows();
    changed();
    return true;
}

void ExpenseModel::sortByCode(int sortCode)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return;
    const int column = sortCode % ColumnCount;
    const bool descending = sortCode >= ColumnCount;
    QList<int> order(m_lines.size());
    std::iota(order.begin(), order.end(), 0);
    const auto sortBy = [&](auto before) {
        if (descending)
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return before(b, a); });
        else
            std::stable_sort(order.begin(), order.end(), before);
    };
    if (column == Product || column == Unit) {
        // Sort keys make each comparison a plain byte comparison.
        QList<QCollatorSortKey> keys;
        keys.reserve(m_lines.size());
        for (const Line& line : std::as_const(m_lines))
            keys.append(
                m_collator.sortKey(column == Product ? line.record.product : line.record.unit));
        sortBy([&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    } else {
        const auto value = [this, column](int row) {
            const ExpenseRecord& record = m_lines[row].record;
            return column == Quantity       ? record.quantity
                   : column == PricePerUnit ? record.pricePerUnit
                                            : record.total;
        };
        sortBy([&value](int a, int b) { return value(a) < value(b); });
    }
    applyRowOrder(order);
}

void ExpenseModel::permuteRows(const QList<int>& order)
{
    QList<Line> sorted;
    sorted.reserve(order.size());
    for (int row : order)
        sorted.append(m_lines[row]);
    m_lines = std::move(sorted);
}

ExpenseCount ExpenseModel::counts() const
{
    return ExpenseTotals::Count(
        m_lines, [](const Line& line) -> const ExpenseRecord& { return line.record; }, m_formats);
}

QString ExpenseModel::caption() const
{
    return ExpenseTotals::Caption(counts(), m_formats);
}

void ExpenseModel::updateGrandTotal()
{
    m_grandTotal = counts().purchasedSum;
    if (!m_lines.isEmpty()) {
        const int last = rowCount() - 1;
        emit dataChanged(index(last, PricePerUnit), index(last, Total));
    }
}

void ExpenseModel::changed()
{
    updateGrandTotal();
    rowsEdited();
}

int ExpenseModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_lines.isEmpty())
        return 0;
    return expenseCount() + 2;
}

int ExpenseModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ExpenseModel::displayText(const Line& line, int column) const
{
    switch (column) {
    case Product:
        return line.record.product;
    case Quantity:
        return line.quantityText;
    case Unit:
        return line.record.unit;
    case PricePerUnit:
        return line.priceShown ? m_formats.FormatAmount(line.record.pricePerUnit) : QString();
    default:
        return line.totalShown ? m_formats.FormatAmount(line.record.total) : QString();
    }
}

QVariant ExpenseModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int column = index.column();
    const RowKind kind = rowKind(index.row());
    if (role == RowKindRole)
        return int(kind);
    if (role == Qt::TextAlignmentRole) {
        const bool right = column == Quantity || column == PricePerUnit || column == Total;
        return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (kind == RowKind::Separator)
        return {};
    if (kind == RowKind::GrandTotal) {
        const bool shown = column == PricePerUnit || column == Total;
        switch (role) {
        case Qt::DisplayRole:
            if (column == PricePerUnit)
                return QStringLiteral("Grand Total");
            return column == Total ? m_formats.FormatAmount(m_grandTotal) : QString();
        case Qt::FontRole: {
            if (!shown)
                return {};
            QFont font;
            font.setBold(true);
            return font;
        }
        case Qt::ForegroundRole:
            return shown ? QVariant(QColor(0xFF, 0x00, 0x00)) : QVariant();
        default:
            return {};
        }
    }
    const Line& line = m_lines[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(line, column);
    case Qt::EditRole:
        if (column == PricePerUnit)
            return NumberEntry::Write(line.record.pricePerUnit, m_formats.locale());
        return displayText(line, column);
    case Qt::CheckStateRole:
        if (column != Product)
            return {};
        return line.record.purchased != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::FontRole: {
        if (column != Product)
            return {};
        // What is still to buy stands out.
        QFont font;
        font.setBold(line.record.purchased == 0);
        return font;
    }
    default:
        return {};
    }
}

bool ExpenseModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        rowKind(index.row()) != RowKind::Expense || isReadOnly())
        return false;
    Line& line = m_lines[index.row()];
    ExpenseRecord& record = line.record;
    const int column = index.column();
    if (role == Qt::CheckStateRole) {
        if (column != Product)
            return false;
        const qint32 purchased = value.toInt() == Qt::Checked ? 1 : 0;
        if ((record.purchased != 0) == (purchased != 0))
            return true;
        record.purchased = purchased;
    } else if (role == Qt::EditRole) {
        const QString text = value.toString();
        switch (column) {
        case Product:
            if (text.trimmed().isEmpty())
                return false;
            if (text == record.product)
                return true; // an editor closed as it was opened changes nothing
            record.product = text;
            break;
        case Unit:
            // The drop-down's leading blank entry is how a unit is taken away.
            if (text.isEmpty())
                return false;
            if (text == record.unit)
                return true;
            record.unit = text;
            break;
        case Quantity:
            record.quantity = NumberEntry::Read(text, m_formats.locale());
            line.quantityText = text;
            break;
        case PricePerUnit:
            record.pricePerUnit = NumberEntry::Read(text, m_formats.locale());
            line.priceShown = true;
            break;
        default:
            return false;
        }
        if (column == Quantity || column == PricePerUnit) {
            record.total =
                ExpenseTotals::LineTotal(record.quantity, record.pricePerUnit, m_formats);
            line.totalShown = true;
        }
    } else {
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    changed();
    return true;
}

Qt::ItemFlags ExpenseModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    // The separator and the Grand Total can be pointed at, not chosen or edited.
    if (rowKind(index.row()) != RowKind::Expense)
        return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() != Total)
        flags |= Qt::ItemIsEditable;
    if (index.column() == Product)
        flags |= Qt::ItemIsUserCheckable;
    return editableFlags(flags);
}

QVariant ExpenseModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    // Amounts stand right, texts left: printing aligns each column's cells as its heading.
    if (role == Qt::TextAlignmentRole)
        return int((section == 1 || section >= 3 ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Product", "Qty", "Unit", "Price/Unit",
                                                      "Total"};
    return QString::fromLatin1(captions[section]);
}
