#pragma once

#include <QString>

// The titles a printed list carries after the program's name in its page header.
namespace PrintTitles {

inline QString TravelList()
{
    return QStringLiteral(" - Travel List");
}

inline QString TravelDetails()
{
    return QStringLiteral(" - Travel Details");
}

inline QString CheckListFor(const QString& travelTitle)
{
    return QStringLiteral(" - Check List for %1").arg(travelTitle);
}

inline QString ExpensesFor(const QString& travelTitle)
{
    return QStringLiteral(" - Expenses for %1").arg(travelTitle);
}

inline QString StagesFor(const QString& travelTitle)
{
    return QStringLiteral(" - Travel Stages for %1").arg(travelTitle);
}

inline QString StageDetailsFor(const QString& stageTitle)
{
    return QStringLiteral(" - Details and Appointments for Stage %1").arg(stageTitle);
}

} // namespace PrintTitles
