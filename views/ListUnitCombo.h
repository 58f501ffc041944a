#pragma once

#include <QComboBox>

// The in-place drop-down list of an expense's unit: a blank entry first, then the units
// of the master list in their order.
class CListUnitCombo : public QComboBox {
    Q_OBJECT

public:
    CListUnitCombo(const QStringList& units, QWidget* parent = nullptr);

    // Selects the entry that reads as the unit, or the blank one when none does.
    void choose(const QString& unit);
};
