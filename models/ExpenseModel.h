#pragma once

#include "DisplayFormats.h"
#include "EditedListModel.h"
#include "Records.h"
#include "TravelDataStore.h"

#include <QCollator>
#include <QDate>

#include <functional>

// The expenses of one travel: one row per expense with the five columns, then, while
// there is any expense, an empty separator row and the Grand Total row, which sums the
// totals of the purchased expenses. The last two rows are worked out, never stored, so
// sorting and saving cannot disturb them. The model is the working copy of the list
// until the view saves it.
class ExpenseModel : public EditedListModel {
    Q_OBJECT

public:
    // CurrencyCode, PaidPrice, Rate and RateDate show where an expense was paid in another
    // currency than the home one: its code, its price as paid, the rate it was converted at
    // and the day that rate is for.
    enum Column {
        Product,
        Quantity,
        Unit,
        PricePerUnit,
        Total,
        CurrencyCode,
        PaidPrice,
        Rate,
        RateDate,
        ColumnCount
    };
    // The columns the sort codes speak of.
    static constexpr int SortColumnCount = 5;
    // Subtotal rows (one per currency paid in, while any expense was paid in another
    // currency) stand between the separator and the Grand Total.
    enum class RowKind { Expense, Separator, GrandTotal, Subtotal };
    // The RowKind of a row, as an int.
    static constexpr int RowKindRole = Qt::UserRole + 40;
    static constexpr int SortCodeCount = 10;

    explicit ExpenseModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Where a currency chosen for an expense takes its rate from (the last one used),
    // and the day a typed rate is for.
    using RateSource = std::function<std::optional<RateQuote>(const QString& code)>;
    void setRateSource(RateSource source) { m_rateSource = std::move(source); }
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    // The rates typed or worked out since the expenses were set, by currency.
    const QMap<QString, RateQuote>& ratesUsed() const { return m_ratesUsed; }
    // Whether the currency columns are wanted: some expense is in another currency, or
    // they were asked for.
    // The subtotal lines are there exactly when an expense was paid in a foreign currency.
    bool showsCurrencies() const { return m_currenciesAsked || !m_subtotals.isEmpty(); }
    void askForCurrencies(bool asked);

    // Shows these expenses sorted by product; nothing is unsaved afterwards.
    void setExpenses(const QList<ExpenseRecord>& expenses);
    void clear() override;
    // The expenses in row order, as they are saved.
    QList<ExpenseRecord> expenses() const;
    const ExpenseRecord& expense(int row) const { return m_lines[row].record; }
    int expenseCount() const { return int(m_lines.size()); }
    RowKind rowKind(int row) const;

    // Adds a new expense of this product above the separator row (making the separator
    // and the Grand Total rows first when the list was empty) and returns its row.
    int addExpense(const QString& product);
    // Removes an expense row; the last one takes the separator and Grand Total with it.
    bool removeExpense(int row);
    // Sort codes: 0 product, 1 quantity, 2 unit, 3 price, 4 total ascending; 5 to 9 the
    // same descending. Texts compare as the locale does, numbers by their exact values.
    void sortByCode(int sortCode) override;

    // The sum of the (rounded) totals of the purchased expenses.
    double grandTotal() const { return m_grandTotal; }
    ExpenseCount counts() const;
    // "Expense List", or "Expenses [purchased/total] - " and the Grand Total: the tree's
    // caption of the list.
    bool isRecordRow(int row) const override
    {
        return row >= 0 && rowKind(row) == RowKind::Expense;
    }
    QString caption() const override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The product takes any text that is not blank, the unit any that is not empty (the
    // same text again changes nothing, so the list is not edited); quantity and price
    // take the text of a number box (not a number reads as 0), and the total follows
    // them. The rate date takes a valid QDate.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    void permuteRows(const QList<int>& order) override;

private:
    struct Line {
        ExpenseRecord record;
        // As the cell shows it: two decimals when loaded, as typed after an edit.
        QString quantityText;
        // A new expense shows no price and no total until they are typed.
        bool priceShown = true;
        bool totalShown = true;
    };

    QString displayText(const Line& line, int column) const;
    QVariant subtotalData(int row, int column, int role) const;
    // Sets a currency cell of an expense; false when the text is refused.
    bool setCurrencyData(Line& line, int column, const QString& text);
    void setHomePrice(Line& line, double price);
    void noteRate(const ForeignPrice& foreign);
    // The Grand Total and its row.
    void updateGrandTotal();
    // After any change: the Grand Total, its row, and the caption.
    void changed();

    DisplayFormats m_formats;
    QCollator m_collator;
    QList<Line> m_lines;
    double m_grandTotal = 0.0;
    QList<std::pair<QString, CurrencySubtotal>> m_subtotals;
    RateSource m_rateSource;
    std::function<QDate()> m_today = [] { return QDate::currentDate(); };
    QMap<QString, RateQuote> m_ratesUsed;
    bool m_currenciesAsked = false;
};
