#include "ListNumberEdit.h"

#include "NumberEntry.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QValidator>

namespace {

// Judges the text the box would hold after a key, a paste or a deletion; a pasted amount
// with thousands separators loses them.
class NumberValidator : public QValidator {
public:
    NumberValidator(const QLocale& locale, int decimals, QObject* parent)
        : QValidator(parent), m_locale(locale), m_decimals(decimals)
    {
    }

    State validate(QString& input, int& position) const override
    {
        const std::optional<QString> accepted = NumberEntry::Accepted(input, m_locale, m_decimals);
        if (!accepted)
            return Invalid;
        if (*accepted != input) {
            input = *accepted;
            position = int(input.size());
        }
        return Acceptable;
    }

private:
    QLocale m_locale;
    int m_decimals;
};

} // namespace

CListNumberEdit::CListNumberEdit(const QLocale& locale, QWidget* parent, int decimals)
    : QLineEdit(parent), m_locale(locale)
{
    setObjectName(QStringLiteral("CListNumberEdit"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setValidator(new NumberValidator(locale, decimals, this));
    setFrame(false);
}

void CListNumberEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1 && NumberEntry::IsGroupSeparator(typed.front(), m_locale)) {
        // Taken out silently, "2,75" would become 275: the box says no, and why.
        event->accept();
        QStatusTipEvent tip(
            QStringLiteral("Amounts are typed without the thousands separator \u201c%1\u201d; the "
                           "decimal separator is \u201c%2\u201d.")
                .arg(m_locale.groupSeparator(), m_locale.decimalPoint()));
        QCoreApplication::sendEvent(this, &tip);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CListNumberEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CListNumberEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
