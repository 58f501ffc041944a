#include "ListUnitCombo.h"

namespace {

const QString blank = QStringLiteral(" ");

} // namespace

CListUnitCombo::CListUnitCombo(const QStringList& units, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("CListUnitCombo"));
    setEditable(false);
    addItem(blank);
    addItems(units);
}

void CListUnitCombo::choose(const QString& unit)
{
    int found = unit.isEmpty() ? 0 : findText(unit, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found < 0) {
        insertItem(0, unit);
        found = 0;
    }
    setCurrentIndex(found);
    m_chosen = found;
}
