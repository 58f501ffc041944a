#pragma once

#include "DisplayFormats.h"
#include "WholeTravel.h"

#include <QString>

// One travel as plain text with labels, tabs and CRLF line ends: the travel, its
// check list, its expenses and its stages (in the order the store keeps them) with
// their appointments.
QString RenderTravelText(const WholeTravel& travel, const DisplayFormats& formats);
QString RenderCheckListText(const QList<CheckListItem>& items);
QString RenderExpensesText(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats);
QString RenderStagesText(const WholeTravel& travel, const DisplayFormats& formats);
QString RenderAppointmentsText(const QList<AppointmentRecord>& appointments,
                               const DisplayFormats& formats);
