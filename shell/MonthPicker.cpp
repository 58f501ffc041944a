#include "MonthPicker.h"

#include "CommandIds.h"
#include "StringTable.h"

CMonthPickerCtrl::CMonthPickerCtrl(QWidget* parent) : QDateEdit(QDate::currentDate(), parent)
{
    setObjectName(QString::number(Cmd::MonthPicker));
    setDisplayFormat(ResourceText(Str::MonthPickerFormat));
    setCalendarPopup(true);
    setMinimumWidth(140);
    setStatusTip(CommandPrompt(Cmd::MonthPicker));
    setToolTip(CommandTooltip(Cmd::MonthPicker));
}

void CMonthPickerCtrl::stepBy(int steps)
{
    const QDate current = date();
    switch (currentSection()) {
    case DaySection:
        setDate(current.addDays(steps));
        break;
    case YearSection:
        setDate(current.addYears(steps));
        break;
    default:
        setDate(current.addMonths(steps));
        break;
    }
}

QAbstractSpinBox::StepEnabled CMonthPickerCtrl::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}
