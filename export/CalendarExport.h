#pragma once

#include "WholeTravel.h"

#include <QByteArray>
#include <QDateTime>

// One travel as an iCalendar document (UTF-8, CRLF lines): an event for the travel,
// an all-day event per stage, a one-hour event per appointment and a to-do per
// check-list entry. Times are floating local times, as the records carry no zone;
// a date-time that is not valid gives no event. UIDs are made from the record keys,
// so that importing the same export again updates instead of duplicating. The stamp
// is the moment of the export (DTSTAMP, in UTC).
QByteArray RenderTravelCalendar(const WholeTravel& travel, const QDateTime& stamp);
