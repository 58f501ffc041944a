#pragma once

// Command identifiers of menus, toolbar buttons and accelerators. Every action of the
// window program carries its identifier as its objectName.
namespace Cmd {

enum : int {
    MonthPicker = 32772,
    Refresh = 32774,
    Synchronize = 32775,
    StageMenuNewAppointment = 32778,
    StageMenuModifyAppointment = 32779,
    StageMenuDeleteAppointment = 32780,
    TreeStageNewStage = 32781,
    TreeStageNewAppointment = 32782,
    TreeStageModify = 32783,
    TreeStageDelete = 32784,
    TreeTravelNewStage = 32785,
    TreeTravelModify = 32786,
    TreeTravelDelete = 32787,
    NewTravel = 32788,
    NewStage = 32789,
    ListNewTravel = 32824,
    ListNewStage = 32825,
    ListModifyStage = 32826,
    ListDeleteStage = 32827,
    ListNewItem = 32843,
    ListImportItems = 32844,
    ViewIcon = 32790,
    ViewReport = 32793,
    CheckListNew = 32794,
    CheckListModify = 32795,
    CheckListDelete = 32796,
    ExpenseNew = 32797,
    ExpenseModify = 32798,
    ExpenseDelete = 32799,
    Preferences = 32801,
    Modify = 32802,
    Delete = 32803,
    TravelModify = 32814,
    TravelDelete = 32815,
    StageNewAppointment = 32816,
    StageModify = 32817,
    StageDelete = 32818,
    AppointmentNew = 32819,
    AppointmentModify = 32820,
    AppointmentDelete = 32821,
    CheckListImport = 32828,
    ExpenseImport = 32829,
    TreeTravelCopy = 32830,
    ExportToHtml = 32832,
    ExportToCsv = 32833,
    ExportToText = 32834,
    TravelExportHtml = 32839,
    TravelExportText = 32840,
    WorkingDirectory = 32842,
    TravelExportCalendar = 32845,
    ExportToCalendar = 32846,
    TravelExportPdf = 32847,
    ExportToPdf = 32848,
    Find = 32849,
    HelpSampleTravels = 32850,
    Print = 57607,
    PrintPreview = 57609,
    Cut = 57635,
    About = 57664,
    Exit = 57665,
    Help = 57670,
    NextPane = 57680,
    PreviousPane = 57681,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewLargeIcon = 59409,
    ViewList = 59410,
};

} // namespace Cmd

// Identifiers of the string table's other texts.
namespace Str {

enum : int {
    MonthPickerFormat = 130,
    WorkingDirectoryMissing = 61516,
    ImagesViewHelp = 61517,
    SelectImageHelp = 61518,
    DirectoryNotFound = 61446,
    ConfirmDeleteAppointment = 61460,
    ConfirmDeleteTravel = 61461,
    ConfirmDeleteStage = 61462,
    ProgramTitle = 61491,
};

} // namespace Str
