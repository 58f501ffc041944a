#include "CommandTable.h"

#include "CommandIds.h"

namespace {

MenuNode item(int command, const char* text)
{
    return MenuNode{QString::fromUtf8(text), command, {}};
}

MenuNode separator()
{
    return MenuNode{};
}

MenuNode popup(const char* text, QList<MenuNode> children)
{
    return MenuNode{QString::fromUtf8(text), 0, std::move(children)};
}

} // namespace

const QList<MenuNode>& MainMenu()
{
    static const QList<MenuNode> menu{
        popup("&File",
              {item(Cmd::Print, "&Print\tCtrl + P"), item(Cmd::PrintPreview, "Print Pre&view"),
               separator(), item(Cmd::Exit, "E&xit")}),
        popup("&View",
              {item(Cmd::ViewToolbar, "&Toolbar"), item(Cmd::ViewStatusBar, "&Status Bar"),
               separator(), item(Cmd::ViewIcon, "&Icon"), item(Cmd::ViewLargeIcon, "&Large Icon"),
               item(Cmd::ViewList, "L&ist"), item(Cmd::ViewReport, "&Report")}),
        popup("&Travel", {item(Cmd::NewTravel, "&New Travel\tCtrl + N"),
                          item(Cmd::ImportBooking, "&Import Booking..."),
                          item(Cmd::TravelModify, "&Modify\tCtrl + M"),
                          item(Cmd::TravelDelete, "&Delete\tCtrl + Del"), separator(),
                          item(Cmd::TravelExportHtml, "Export &Html"),
                          item(Cmd::TravelExportText, "Export &Text"),
                          item(Cmd::TravelExportCalendar, "Export &Calendar"),
                          item(Cmd::TravelExportPdf, "Export &PDF")}),
        popup("&Check List", {item(Cmd::CheckListNew, "&New\tIns"),
                              item(Cmd::CheckListImport, "&Import From List"),
                              item(Cmd::CheckListModify, "&Modify\tF2"),
                              item(Cmd::CheckListDelete, "&Delete\tAlt + Del")}),
        popup("&Expense",
              {item(Cmd::ExpenseNew, "&New Expense"), item(Cmd::ExpenseImport, "&Import Products"),
               item(Cmd::ExpenseModify, "&Modify"), item(Cmd::ExpenseDelete, "&Delete")}),
        popup("&Stage", {item(Cmd::NewStage, "&New Stage"),
                         item(Cmd::StageNewAppointment, "New &Appointment"),
                         item(Cmd::StageModify, "&Modify"), item(Cmd::StageDelete, "&Delete")}),
        popup("&Appointment",
              {item(Cmd::AppointmentNew, "&New Appointment"),
               item(Cmd::AppointmentModify, "&Modify"), item(Cmd::AppointmentDelete, "&Delete")}),
        popup("T&ools",
              {item(Cmd::Find, "&Find...\tCtrl + F"), separator(),
               item(Cmd::Refresh, "&Refresh\tF5"), item(Cmd::Synchronize, "&Synchronize\tCtrl + S"),
               item(Cmd::ResolveConflicts, "Resolve &Conflicts..."),
               item(Cmd::Preferences, "&Preferences\tCtrl + T"), separator(),
               popup("&Export to",
                     {item(Cmd::ExportToHtml, "&Html"), item(Cmd::ExportToCsv, "&CSV"),
                      item(Cmd::ExportToText, "&Text"), item(Cmd::ExportToCalendar, "&Calendar"),
                      item(Cmd::ExportToPdf, "&PDF")}),
               item(Cmd::WorkingDirectory, "Working Directory")}),
        popup("&Help",
              {item(Cmd::Help, "&Help\tF1"), item(Cmd::HelpSampleTravels, "Open &Sample Travels"),
               separator(), item(Cmd::About, "&About Voyanta...")}),
    };
    return menu;
}

const QList<MenuNode>& ContextMenus()
{
    static const QList<MenuNode> menus{
        popup("Travels", {item(Cmd::NewTravel, "&New Travel")}),
        popup("Travel",
              {item(Cmd::TreeTravelNewStage, "New &Stage"),
               item(Cmd::TreeTravelCopy, "Create &Copy"), separator(),
               item(Cmd::TreeTravelModify, "&Modify"), item(Cmd::TreeTravelDelete, "&Delete")}),
        popup("Stages", {item(Cmd::NewStage, "&New Stage")}),
        popup("Stage",
              {item(Cmd::TreeStageNewStage, "&New Stage"),
               item(Cmd::TreeStageNewAppointment, "New &Appointment"), separator(),
               item(Cmd::TreeStageModify, "&Modify"), item(Cmd::TreeStageDelete, "&Delete")}),
        popup("Appointment", {item(Cmd::StageMenuNewAppointment, "&New Appointment"),
                              item(Cmd::StageMenuModifyAppointment, "&Modify"),
                              item(Cmd::StageMenuDeleteAppointment, "&Delete")}),
        popup("ModDel", {item(Cmd::Modify, "&Modify"), item(Cmd::Delete, "&Delete")}),
        popup("New", {item(Cmd::ListNewTravel, "New")}),
        popup("Sta", {item(Cmd::ListNewStage, "New Stage"), item(Cmd::ListModifyStage, "Modify"),
                      item(Cmd::ListDeleteStage, "Delete")}),
        popup("NewImport", {item(Cmd::ListNewItem, "New"), item(Cmd::ListImportItems, "Import")}),
    };
    return menus;
}

const QList<int>& ToolbarLayout()
{
    static const QList<int> layout{
        Cmd::MonthPicker,
        0,
        Cmd::NewTravel,
        Cmd::ImportBooking,
        Cmd::NewStage,
        Cmd::CheckListNew,
        Cmd::ExpenseNew,
        Cmd::AppointmentNew,
        0,
        Cmd::Modify,
        Cmd::Delete,
        0,
        Cmd::Print,
        0,
        Cmd::ViewIcon,
        Cmd::ViewLargeIcon,
        Cmd::ViewList,
        Cmd::ViewReport,
        0,
        Cmd::ExportToHtml,
        Cmd::ExportToText,
        Cmd::ExportToCsv,
        Cmd::ExportToCalendar,
        Cmd::ExportToPdf,
        0,
        Cmd::Find,
        Cmd::Refresh,
        Cmd::Synchronize,
        Cmd::Preferences,
        0,
        Cmd::Help,
        Cmd::About,
    };
    return layout;
}

const QList<Accelerator>& Accelerators()
{
    static const QList<Accelerator> accelerators{
        {Cmd::Print, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Cmd::Find, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {Cmd::NewTravel, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Cmd::TravelModify, QKeySequence(Qt::CTRL | Qt::Key_M)},
        {Cmd::TravelDelete, QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {Cmd::CheckListNew, QKeySequence(Qt::Key_Insert)},
        {Cmd::CheckListModify, QKeySequence(Qt::Key_F2)},
        {Cmd::CheckListDelete, QKeySequence(Qt::ALT | Qt::Key_Delete)},
        {Cmd::Refresh, QKeySequence(Qt::Key_F5)},
        {Cmd::Synchronize, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Cmd::Preferences, QKeySequence(Qt::CTRL | Qt::Key_T)},
        {Cmd::Help, QKeySequence(Qt::Key_F1)},
        {Cmd::Cut, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {Cmd::NextPane, QKeySequence(Qt::Key_F6)},
        {Cmd::PreviousPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
    };
    return accelerators;
}
