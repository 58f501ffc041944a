#include "CommandEnabling.h"

#include "CommandIds.h"

namespace {

using enum ViewKind;

bool displayModeOffers(const ViewFacts& s, DisplayMode mode)
{
    return s.displayMode && *s.displayMode != mode;
}

} // namespace

bool CommandEnabled(int command, const ViewFacts& s)
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
        return s.travelShown;
    case Cmd::CheckListNew:
        return s.kind == CheckList;
    case Cmd::CheckListImport:
        return s.kind == CheckList && s.upperViewActive;
    case Cmd::CheckListModify:
    case Cmd::CheckListDelete:
        return s.kind == CheckList && s.recordMarked;
    case Cmd::ExpenseNew:
    case Cmd::ExpenseImport:
        return s.kind == ExpenseList;
    case Cmd::ExpenseModify:
    case Cmd::ExpenseDelete:
        return s.kind == ExpenseList && s.recordMarked;
    case Cmd::NewStage:
    case Cmd::TreeStageNewStage:
        return s.kind == StageList || s.kind == StageDetail;
    case Cmd::StageNewAppointment:
    case Cmd::StageModify:
    case Cmd::StageDelete:
    case Cmd::TreeStageNewAppointment:
    case Cmd::TreeStageModify:
    case Cmd::TreeStageDelete:
        return s.stageShown;
    case Cmd::AppointmentNew:
    case Cmd::StageMenuNewAppointment:
        return s.kind == StageDetail;
    case Cmd::AppointmentModify:
    case Cmd::AppointmentDelete:
    case Cmd::StageMenuModifyAppointment:
    case Cmd::StageMenuDeleteAppointment:
        return s.kind == StageDetail && s.recordMarked;
    case Cmd::ExportToCsv:
        return s.kind == ExpenseList || s.kind == CheckList;
    case Cmd::Modify:
    case Cmd::Delete:
        // The detail views change what they show; the lists, their marked record.
        return s.kind == TravelDetail || s.kind == StageDetail || s.recordMarked;
    default:
        return true;
    }
}
