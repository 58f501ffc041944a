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
    ImportBookingDlg = 10005,
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
    BookingPreview = 10004,
    IntoSelectedTravel = 10010,
    IntoNewTravel = 10011,
};
Q_ENUM_NS(Control)

// The controls of the images view. The Select Image dialog gives some of the same numbers
// other meanings, so each has its own enumeration.
enum class ImagesViewControl : int {
    AddCategory = 1054,
    RenameCategory = 1055,
    DeleteCategory = 1056,
    Categories = 1057,
    ImagePreview = 1058,
    PreviousImage = 1059,
    AddImage = 1060,
    ChangeImage = 1061,
    RemoveImage = 1062,
    NextImage = 1063,
    CategoryLabel = 1064,
    CategoryName = 1066,
    SaveCategory = 1067,
    CancelCategory = 1068,
    ImageCaption = 1069,
    ImageList = 1073,
};
Q_ENUM_NS(ImagesViewControl)

// The controls of the Select Image dialog besides OK and Cancel (Control::Ok, Control::Cancel).
enum class SelectImageControl : int {
    BrowsePicture = 1054,
    PicturePreview = 1058,
    DisplayTitle = 1065,
    PicturePath = 1066,
};
Q_ENUM_NS(SelectImageControl)

} // namespace Ids

using Ids::Control;
using Ids::Dialog;
using Ids::ImagesViewControl;
using Ids::SelectImageControl;

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
