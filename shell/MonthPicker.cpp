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
