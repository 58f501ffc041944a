#pragma once

#include <QComboBox>

// The in-place drop-down list of an expense's unit: a blank entry first, then the units
// of the master list in their order. A unit that is not in the list (one written by
// another program, or since taken off the list) is offered first, so that the box always
// shows the cell's own unit.
class CListUnitCombo : public QComboBox {
    Q_OBJECT

public:
    CListUnitCombo(const QStringList& units, QWidget* parent = nullptr);

    // Selects the entry that reads as the unit (the blank one for no unit), adding the
    // unit first when the list does not hold it.
    void choose(const QString& unit);
    // Whether another entry than the one chosen has been picked since.
    bool changed() const { return currentIndex() != m_chosen; }

private:
    int m_chosen = 0;
};
