#include "ExpenseModel.h"

#include "ExpenseTotals.h"
#include "NumberEntry.h"

#include <QColor>
#include <QFont>

#include <algorithm>
#include <numeric>

namespace {

// A decimal typed as the locale writes numbers ("12,50" in German), exactly.
std::optional<Decimal> typedDecimal(const QString& text, const QLocale& locale)
{
    QString plain = text.trimmed();
    plain.remove(locale.groupSeparator());
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    if (plain.startsWith(QLatin1Char('.')))
        plain.prepend(QLatin1Char('0'));
    if (plain.endsWith(QLatin1Char('.')))
        plain.chop(1);
    return Decimal::parse(plain);
}

} // namespace

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
    m_ratesUsed.clear();
    m_subtotals.clear();
    m_lines.reserve(expenses.size());
    for (const ExpenseRecord& record : expenses) {
        Line line{record, NumberEntry::Write(record.quantity, m_formats.locale())};
        // A file written elsewhere may hold a total unrounded; it is shown and summed rounded.
        line.record.total = ExpenseTotals::ShownTotal(record, m_formats);
        m_lines.append(std::move(line));
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
    if (row == expenseCount())
        return RowKind::Separator;
    return row == rowCount() - 1 ? RowKind::GrandTotal : RowKind::Subtotal;
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
    beginRemoveRows({}, row, last ? rowCount() - 1 : row);
    m_lines.removeAt(row);
    if (last)
        m_subtotals.clear();
    endRemoveRows();
    changed();
    return true;
}

void ExpenseModel::sortByCode(int sortCode)
{
    if (sortCode < 0 || sortCode >= SortCodeCount)
        return;
    const int column = sortCode % SortColumnCount;
    const bool descending = sortCode >= SortColumnCount;
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
        sorted.append(std::move(m_lines[row]));
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
    const ExpenseCount count = counts();
    m_grandTotal = count.purchasedSum;
    if (m_lines.isEmpty())
        return;
    QList<std::pair<QString, CurrencySubtotal>> subtotals;
    if (count.anyForeign) {
        for (auto it = count.byCurrency.cbegin(); it != count.byCurrency.cend(); ++it)
            subtotals.append({it.key(), *it});
    }
    // The subtotal rows follow the separator row.
    const int first = expenseCount() + 1;
    const int before = int(m_subtotals.size());
    const int after = int(subtotals.size());
    if (after > before) {
        beginInsertRows({}, first + before, first + after - 1);
        m_subtotals = subtotals;
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, first + after, first + before - 1);
        m_subtotals = subtotals;
        endRemoveRows();
    } else {
        m_subtotals = subtotals;
    }
    emit dataChanged(index(first, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ExpenseModel::askForCurrencies(bool asked)
{
    m_currenciesAsked = asked;
    if (!m_lines.isEmpty())
        emit dataChanged(index(0, CurrencyCode), index(rowCount() - 1, ColumnCount - 1));
}

QVariant ExpenseModel::subtotalData(int row, int column, int role) const
{
    const auto& [code, subtotal] = m_subtotals[row - expenseCount() - 1];
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case PricePerUnit:
        return ExpenseTotals::SubtotalLabel(code);
    case Total:
        return m_formats.FormatAmount(subtotal.home);
    case CurrencyCode:
        return code;
    case PaidPrice:
        return Currency::Format(subtotal.paid, code, m_formats.locale());
    default:
        return {};
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
    return expenseCount() + 2 + int(m_subtotals.size());
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
    case Total:
        return line.totalShown ? m_formats.FormatAmount(line.record.total) : QString();
    case CurrencyCode:
        // Blank for the home currency, as the drop-down's first entry.
        return line.record.foreign ? line.record.foreign->currency : QString();
    case PaidPrice:
        return line.record.foreign
                   ? Currency::Format(line.record.foreign->price, line.record.foreign->currency,
                                      m_formats.locale())
                   : QString();
    case RateDate:
        return line.record.foreign ? m_formats.locale().toString(line.record.foreign->rateDate,
                                                                 QLocale::ShortFormat)
                                   : QString();
    default: {
        if (!line.record.foreign || line.record.foreign->rate.isZero())
            return {};
        return line.record.foreign->rate.toString().replace(QLatin1Char('.'),
                                                            m_formats.locale().decimalPoint());
    }
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
        const bool right =
            column != Product && column != Unit && column != CurrencyCode && column != RateDate;
        return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (kind == RowKind::Separator)
        return {};
    if (kind == RowKind::Subtotal)
        return subtotalData(index.row(), column, role);
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
        if (column == PaidPrice && line.record.foreign)
            return line.record.foreign->price.toString().replace(QLatin1Char('.'),
                                                                 m_formats.locale().decimalPoint());
        if (column == CurrencyCode && !line.record.foreign)
            return QString();
        if (column == RateDate)
            return line.record.foreign ? QVariant(line.record.foreign->rateDate) : QVariant();
        return displayText(line, column);
    case Qt::ToolTipRole: {
        const auto& foreign = line.record.foreign;
        if (column != Rate || !foreign || foreign->rate.isZero())
            return {};
        return QStringLiteral("%1 %2 for 1 %3 on %4, %5")
            .arg(m_formats.currencyCode(), displayText(line, Rate), foreign->currency,
                 m_formats.locale().toString(foreign->rateDate, QLocale::ShortFormat),
                 foreign->rateFrom == ForeignPrice::RateFrom::Charged
                     ? QStringLiteral("worked out from the amount charged")
                     : QStringLiteral("as typed"));
    }
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
    } else if (role == Qt::EditRole && column == RateDate) {
        const QDate date = value.toDate();
        if (!record.foreign || !date.isValid())
            return false;
        if (date == record.foreign->rateDate)
            return true;
        record.foreign->rateDate = date;
        noteRate(*record.foreign);
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
            setHomePrice(line, NumberEntry::Read(text, m_formats.locale()));
            break;
        case CurrencyCode:
        case PaidPrice:
        case Rate:
            if (!setCurrencyData(line, column, text))
                return false;
            break;
        default:
            return false;
        }
        if (column != Product && column != Unit) {
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
    const bool worked =
        index.column() == Total ||
        (!m_lines[index.row()].record.foreign &&
         (index.column() == PaidPrice || index.column() == Rate || index.column() == RateDate));
    if (!worked)
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
        return int((section == Quantity || (section >= PricePerUnit && section != CurrencyCode &&
                                            section != RateDate)
                        ? Qt::AlignRight
                        : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Product",    "Qty",   "Unit",
                                                      "Price/Unit", "Total", "Currency",
                                                      "Paid/Unit",  "Rate",  "Rate Date"};
    return QString::fromLatin1(captions[section]);
}

void ExpenseModel::setHomePrice(Line& line, double price)
{
    ExpenseRecord& record = line.record;
    record.pricePerUnit = price;
    line.priceShown = true;
    if (!record.foreign)
        return;
    // The home amount charged fixes the rate; with nothing paid yet, the rate the paid
    // price.
    ForeignPrice& foreign = *record.foreign;
    const auto home = Decimal::fromDouble(price, m_formats.CurrencyDigits());
    if (!home)
        return;
    if (foreign.price.isPositive()) {
        if (const auto rate =
                Currency::RateBetween(*home, foreign.price, m_formats.currencyCode())) {
            foreign.rate = *rate;
            foreign.rateFrom = ForeignPrice::RateFrom::Charged;
            foreign.rateDate = m_today();
            noteRate(foreign);
        }
    } else if (foreign.rate.isPositive()) {
        if (const auto paid = home->dividedBy(foreign.rate, Currency::Digits(foreign.currency))) {
            foreign.price = *paid;
            record.pricePerUnit = Currency::Convert(*paid, foreign.rate, m_formats.currencyCode())
                                      .value_or(*home)
                                      .toDouble();
        }
    }
}

bool ExpenseModel::setCurrencyData(Line& line, int column, const QString& text)
{
    ExpenseRecord& record = line.record;
    const QString home = m_formats.currencyCode();
    if (column == CurrencyCode) {
        const QString code = text.trimmed().toUpper();
        if (code.isEmpty() || code == home) {
            record.foreign.reset();
            return true;
        }
        if (!Currency::IsIsoCode(code))
            return false;
        if (record.foreign && record.foreign->currency == code)
            return true;
        ForeignPrice foreign{code, Decimal(), Decimal(), m_today(), ForeignPrice::RateFrom::Typed};
        const auto used = m_ratesUsed.contains(code)
                              ? std::optional(m_ratesUsed.value(code))
                              : (m_rateSource ? m_rateSource(code) : std::nullopt);
        if (used) {
            foreign.rate = used->rate;
            foreign.rateDate = used->rateDate;
        }
        record.foreign = foreign;
        setHomePrice(line, record.pricePerUnit);
        return true;
    }
    if (!record.foreign)
        return false;
    ForeignPrice& foreign = *record.foreign;
    const auto typed = typedDecimal(text, m_formats.locale());
    if (column == PaidPrice) {
        const auto paid =
            typed ? typed->rounded(qMax(Currency::Digits(foreign.currency), typed->scale()))
                  : Decimal::fromUnits(0, 0);
        if (!paid || paid->units() < 0)
            return false;
        foreign.price = *paid;
    } else {
        if (!typed || !typed->isPositive())
            return false;
        foreign.rate = *typed;
        foreign.rateFrom = ForeignPrice::RateFrom::Typed;
        foreign.rateDate = m_today();
        noteRate(foreign);
    }
    if (foreign.rate.isPositive()) {
        record.pricePerUnit =
            Currency::Convert(foreign.price, foreign.rate, home).value_or(Decimal()).toDouble();
        line.priceShown = true;
    } else {
        setHomePrice(line, record.pricePerUnit);
    }
    return true;
}

void ExpenseModel::noteRate(const ForeignPrice& foreign)
{
    if (foreign.rate.isPositive())
        m_ratesUsed.insert(foreign.currency, RateQuote{foreign.rate, foreign.rateDate});
}
