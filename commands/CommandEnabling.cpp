#include "CommandEnabling.h"

#include "CommandIds.h"

namespace {

using enum ViewKind;

bool marked(const UpperViewState& s)
{
    return s.markedRow >= 0;
}

bool travelShown(const UpperViewState& s)
{
    return s.kind == TravelDetail || (s.kind == TravelList && marked(s));
}

bool stageShown(const UpperViewState& s)
{
    return s.kind == StageDetail || (s.kind == StageList && marked(s));
}

// The grand total and the blank row above it are no expenses.
bool expenseMarked(const UpperViewState& s)
{
    return s.kind == ExpenseList && marked(s) && s.markedRow < s.rowCount - 2;
}

bool appointmentMarked(const UpperViewState& s)
{
    return s.kind == StageDetail && marked(s) && s.markedRow >= s.firstAppointmentRow;
}

bool displayModeOffers(const UpperViewState& s, DisplayMode mode)
{
    return (s.kind == TravelList || s.kind == StageList) && s.displayMode != mode;
}

} // namespace

bool CommandEnabled(int command, const UpperViewState& s)
{
    switch (command) {
    case Cmd::ViewIcon:
        return displayModeOffers(s, DisplayMode::SmallIcons);
    case Cmd::ViewLargeIcon:
        return displayModeOffers(s, DisplayMode::LargeIcons);
    case Cmd::ViewList:
        return displayModeOffers(s, DisplayMode::List);
    case Cmd::ViewReport:
        return displayModeOffers(s, DisplayMode::Report);
    case Cmd::TravelModify:
    case Cmd::TravelDelete:
    case Cmd::TravelExportHtml:
    case Cmd::TravelExportText:
    case Cmd::TravelExportCalendar:
    case Cmd::ExportToCalendar:
    case Cmd::TravelExportPdf:
    case Cmd::ExportToPdf:
    case Cmd::ExportToHtml:
    case Cmd::ExportToText:
    case Cmd::TreeTravelNewStage:
    case Cmd::TreeTravelModify:
    case Cmd::TreeTravelDelete:
        return travelShown(s);
    case Cmd::CheckListNew:
        return s.kind == CheckList;
    case Cmd::CheckListImport:
        return s.kind == CheckList && s.upperViewActive;
    case Cmd::CheckListModify:
    case Cmd::CheckListDelete:
        return s.kind == CheckList && marked(s);
    case Cmd::ExpenseNew:
    case Cmd::ExpenseImport:
        return s.kind == ExpenseList;
    case Cmd::ExpenseModify:
    case Cmd::ExpenseDelete:
        return expenseMarked(s);
    case Cmd::NewStage:
    case Cmd::TreeStageNewStage:
        return s.kind == StageList || s.kind == StageDetail;
    case Cmd::StageNewAppointment:
    case Cmd::StageModify:
    case Cmd::StageDelete:
    case Cmd::TreeStageNewAppointment:
    case Cmd::TreeStageModify:
    case Cmd::TreeStageDelete:
        return stageShown(s);
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
        return s.kind == StageDetail;
    case Cmd::AppointmentModify:
    case Cmd::AppointmentDelete:
    case Cmd::StageMenuModifyAppointment:
    case Cmd::StageMenuDeleteAppointment:
        return appointmentMarked(s);
    case Cmd::ExportToCsv:
        return s.kind == ExpenseList || s.kind == CheckList;
    case Cmd::Modify:
    case Cmd::Delete:
        switch (s.kind) {
        case TravelList:
        case CheckList:
        case StageList:
            return marked(s);
        case ExpenseList:
            return expenseMarked(s);
        default:
            return true;
        }
    default:
        return true;
    }
}

bool CommandHasViewRule(int command)
{
    UpperViewState none;
    none.kind = ViewKind(0);
    return !CommandEnabled(command, none) || command == Cmd::Modify || command == Cmd::Delete;
}
