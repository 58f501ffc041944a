#pragma once

#include <QDateEdit>

// The toolbar's month picker: a date with a calendar pop-up, shown as "MMMM dd, yyyy".
// Only its month and year matter to the tree.
class CMonthPickerCtrl : public QDateEdit {
    Q_OBJECT

public:
    explicit CMonthPickerCtrl(QWidget* parent = nullptr);

    // The arrow keys and the wheel move day, month or year by the calendar, so that a
    // step from December goes on to January of the next year.
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};
