#include "ListNumberEdit.h"

#include "NumberEntry.h"

#include <QMouseEvent>
#include <QValidator>

namespace {

// Judges the text the box would hold after a key, a paste or a deletion.
class NumberValidator : public QValidator {
public:
    NumberValidator(QChar decimalPoint, QObject* parent)
        : QValidator(parent), m_decimalPoint(decimalPoint)
    {
    }

    State validate(QString& input, int&) const override
    {
        return NumberEntry::IsAcceptable(input, m_decimalPoint) ? Acceptable : Invalid;
    }

private:
    QChar m_decimalPoint;
};

} // namespace

CListNumberEdit::CListNumberEdit(QChar decimalPoint, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("CListNumberEdit"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setValidator(new NumberValidator(decimalPoint, this));
    setFrame(false);
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
