#pragma once

#include "DisplayFormats.h"
#include "WholeTravel.h"

#include <QString>

// One travel as a run of HTML fragments: the travel, its check list, its expenses and
// its stages (in the order the store keeps them) with their appointments. Record texts
// are escaped.
QString RenderTravelHtml(const WholeTravel& travel, const DisplayFormats& formats);
QString RenderCheckListHtml(const QList<CheckListItem>& items);
QString RenderExpensesHtml(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats);
QString RenderStagesHtml(const WholeTravel& travel, const DisplayFormats& formats);
QString RenderAppointmentsHtml(const QList<AppointmentRecord>& appointments,
                               const DisplayFormats& formats);
