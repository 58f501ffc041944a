#include "ListUnitCombo.h"

CListUnitCombo::CListUnitCombo(const QStringList& units, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("CListUnitCombo"));
    setEditable(false);
    addItem(QStringLiteral(" "));
    addItems(units);
}

void CListUnitCombo::choose(const QString& unit)
{
    const int found = findText(unit, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(found >= 0 ? found : 0);
}
