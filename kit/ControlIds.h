#pragma once

#include <QMetaEnum>
#include <QObject>
#include <QString>

// The identifiers of the dialogs and of their controls. A dialog or control carries the
// name of its identifier as its object name, by which tests and the user guide find it.
namespace Ids {
Q_NAMESPACE

enum class Dialog : int {
    ImagesView = 102,
    TravelPage1 = 106,
    SelectIconDlg = 134,
    TravelPage2 = 135,
    StageDlg = 143,
    AppointmentDlg = 144,
    PreferencePage = 145,
    ImportItemsDlg = 168,
    WorkingDirectoryDlg = 181,
    SelectImageDlg = 191,
    TravelSheet = 10001,
    PreferenceSheet = 10002,
    AboutBox = 10003,
    FindDlg = 10004,
};
Q_ENUM_NS(Dialog)

enum class Control : int {
    Ok = 1,
    Cancel = 2,
    WorkingDirectoryPath = 1002,
    WorkingDirectoryHelp = 1003,
    WorkingDirectoryBrowse = 1004,
    IconList = 1005,
    Title = 1014,
    From = 1015,
    Destination = 1016,
    Starts = 1017,
    Ends = 1018,
    Mode = 1019,
    Type = 1020,
    Priority = 1021,
    TicketNo = 1022,
    SeatNo = 1023,
    Notes = 1024,
    Status = 1025,
    Place = 1027,
    Date = 1028,
    Subject = 1030,
    Location = 1031,
    Icon = 1034,
    MasterItems = 1035,
    NewItem = 1036,
    EditItem = 1040,
    DeleteItem = 1041,
    AddItem = 1043,
    ImportItems = 1044,
    AboutPicture = 1045,
    Pages = 10001,
    FindText = 10002,
    FindMatches = 10003,
};
Q_ENUM_NS(Control)

} // namespace Ids

using Ids::Control;
using Ids::Dialog;

// The name of an identifier ("StageDlg", "Ok").
template <typename Id> QString IdName(Id id)
{
    return QString::fromLatin1(QMetaEnum::fromType<Id>().valueToKey(int(id)));
}

// Gives a dialog or a control the name of its identifier as its object name.
template <typename Widget, typename Id> Widget* WithControlId(Widget* widget, Id id)
{
    widget->setObjectName(IdName(id));
    return widget;
}
