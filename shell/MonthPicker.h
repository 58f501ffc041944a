#pragma once

#include <QDateEdit>

// The toolbar's month picker: a date with a calendar pop-up, shown as "MMMM dd, yyyy".
// Only its month and year matter to the tree.
class CMonthPickerCtrl : public QDateEdit {
    Q_OBJECT

public:
    explicit CMonthPickerCtrl(QWidget* parent = nullptr);
};
