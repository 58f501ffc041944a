#include "StringTable.h"

#include "CommandIds.h"

#include <QHash>

namespace {

const QHash<int, QString>& table()
{
    static const QHash<int, QString> texts = [] {
        const std::pair<int, const char*> entries[] = {
            {Str::MonthPickerFormat, "MMMM dd, yyyy"},
            {Str::WorkingDirectoryMissing, "The working directory is moved or deleted. Please "
                                           "select the working directory to continue."},
            {Str::ImagesViewHelp,
             "Keep photos of tickets, hotels and places with this travel: add a category with the "
             "first button beside \"Category\", then add images to it with the buttons under "
             "the list."},
            {Str::SelectImageHelp, "Choose a picture with the \"...\" button beside the picture "
                                   "path."},
            {Str::DirectoryNotFound, "The directory you have selected does not exists or it is a "
                                     "write protected medium."},
            {Str::ConfirmDeleteAppointment, "Delete the Selected Appointment?"},
            {Str::ConfirmDeleteTravel, "Are you sure want to delete the selected Travel record and "
                                       "its Check List, Expenses, Stages and Appointments?"},
            {Str::ConfirmDeleteStage, "Are you sure want to delete the selected Stage and its "
                                      "Appointments?"},
            {Str::ProgramTitle, "Voyanta"},
            {Cmd::MonthPicker,
             "Select a month to list the travels\nSelect a month to list the travels"},
            {Cmd::Refresh, "Refresh\nRefresh"},
            {Cmd::Synchronize, "Synchronize\nSynchronize"},
            {Cmd::StageMenuNewAppointment, "New Appointment\nNew Appointment"},
            {Cmd::StageMenuModifyAppointment,
             "Modifiy the Seletected Appointment\nModify the Seletected Appointment"},
            {Cmd::StageMenuDeleteAppointment,
             "Delete the Seletected Appointment\nDelete the Seletected Appointment"},
            {Cmd::TreeStageNewStage, "Add a New Stage\nAdd a New Stage"},
            {Cmd::TreeStageNewAppointment, "Add a new Appointment\nAdd a new Appointment"},
            {Cmd::TreeStageModify, "Modify the Seletected Stage\nModify the Seletected Stage"},
            {Cmd::TreeStageDelete, "Delete the Seletected Stage\nDelete the Seletected Stage"},
            {Cmd::TreeTravelNewStage, "Add a New Stage\nAdd a New Stage"},
            {Cmd::TreeTravelModify, "Modifiy Travel"},
            {Cmd::TreeTravelDelete, "Delete Travel"},
            {Cmd::NewTravel, "Adds a new Travel\nAdd a new Travel"},
            {Cmd::NewStage, "Add a New Stage\nAdd a new Stage"},
            {Cmd::ViewIcon, "Icon View\nIconView"},
            {Cmd::ViewReport, "Report  View\nReport View"},
            {Cmd::CheckListNew, "Add a check List Item\nAdd Item to Check List"},
            {Cmd::CheckListModify, "Modify the Selected Item"},
            {Cmd::CheckListDelete, "Delete the Selected Item"},
            {Cmd::ExpenseNew, "Add a New Expense\nNew Expense"},
            {Cmd::ExpenseModify, "Modify the Selected Expense"},
            {Cmd::ExpenseDelete, "Delete the Selected Expense"},
            {Cmd::Preferences, "Preferences\nPreferences"},
            {Cmd::Modify, "Modify\nModify"},
            {Cmd::Delete, "Delete\nDelete"},
            {Cmd::TravelModify, "Modify the travel"},
            {Cmd::TravelDelete, "Delete the Selected Travel"},
            {Cmd::StageNewAppointment, "New Appointment\nAdd an appointment"},
            {Cmd::StageModify, "Modify the Selected Stage"},
            {Cmd::StageDelete, "Delete the Selected Stage"},
            {Cmd::AppointmentNew, "New Appointment\nAdd a new appointment"},
            {Cmd::AppointmentModify, "Modify the Selected Appointment"},
            {Cmd::AppointmentDelete, "Delete the Selected Appointment"},
            {Cmd::CheckListImport, "Import Check List Items\nImport Check List Items"},
            {Cmd::ExpenseImport, "Import Products\nImport Products"},
            {Cmd::TreeTravelCopy, "Create a Copy of the Travel\nCreate a Copy of the Travel"},
            {Cmd::ExportToHtml, "Exports Travel to Html\nExports Travel to Html"},
            {Cmd::ExportToCsv, "Export to CSV\nExport to CSV"},
            {Cmd::ExportToText, "Exports Travel to Text\nExports Travel to Text"},
            {Cmd::TravelExportHtml, "Export To Html\nExport To Html"},
            {Cmd::TravelExportText, "Export To Text\nExport To Text"},
            {Cmd::TravelExportCalendar, "Export To Calendar\nExport To Calendar"},
            {Cmd::ExportToCalendar, "Exports Travel to Calendar\nExports Travel to Calendar"},
            {Cmd::TravelExportPdf,
             "Export the Whole Travel as a PDF Itinerary\nExport PDF Itinerary"},
            {Cmd::ExportToPdf, "Exports Travel to a PDF Itinerary\nExports Travel to PDF"},
            {Cmd::ImportBooking, "Import the Bookings of a Confirmation E-mail, PDF, Web Page or "
                                 "Boarding Pass\nImport Booking"},
            {Cmd::ResolveConflicts, "Choose Between the Versions of Records That Two Devices "
                                    "Changed at Once\nResolve Conflicts"},
            {Cmd::Find, "Find Travels, Stages, Appointments, Entries and Expenses by a Word\nFind"},
            {Cmd::Help, "Help\nHelp"},
            {Cmd::HelpSampleTravels,
             "Open a Copy of the Sample Travels, Moved to This Month\nSample Travels"},
            // Standard texts of the common commands.
            {Cmd::Print, "Print the active document\nPrint"},
            {Cmd::PrintPreview, "Display full pages\nPrint Preview"},
            {Cmd::About, "Display program information, version number and copyright\nAbout"},
            {Cmd::Exit, "Quit the application\nExit"},
            {Cmd::ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
            {Cmd::ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
            {Cmd::ViewLargeIcon, "Large Icon View\nLarge Icons"},
            {Cmd::ViewList, "List View\nList"},
            {Cmd::NextPane, "Switch to the next window pane\nNext Pane"},
            {Cmd::PreviousPane, "Switch back to the previous window pane\nPrevious Pane"},
        };
        QHash<int, QString> map;
        for (const auto& [id, text] : entries)
            map.insert(id, QString::fromUtf8(text));
        return map;
    }();
    return texts;
}

} // namespace

QString ResourceText(int id)
{
    return table().value(id);
}

QString CommandPrompt(int commandId)
{
    return ResourceText(commandId).section(QLatin1Char('\n'), 0, 0);
}

QString CommandTooltip(int commandId)
{
    const QString text = ResourceText(commandId);
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? QString() : text.mid(lineBreak + 1);
}
