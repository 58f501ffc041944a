#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QString>

class QImage;

// Voyanta's pictures, addressed by their bitmap numbers. Each is a PNG with an alpha channel
// in the Qt resource ":/voyanta/bitmaps/<number>.png", with a copy at twice the size beside it
// ("<number>@2x.png") for high-density screens. The pictures are rebuilt from the SVG sources
// in res/src by tools/make-pictures; the credits of the icon sets are in res/CREDITS.md.
//
// An image strip is one picture holding images of equal width side by side; an image list is
// cut from it with LoadImageStrip().
namespace Bitmaps {

enum Id : int {
    About = 130,         // 499 x 314, the About box's whole face, with the credits
    Toolbar = 132,       // 21 images of 16 x 16, in the toolbar's button order (ToolbarCommands)
    TravelIcons32 = 145, // 113 travel icons of 32 x 32, indexed by a travel's icon number
    TreeImages = 152,    // 123 images of 16 x 16: the 113 travel icons, then the tree's images

    // Bitmap buttons of a preference page, 24 x 24: up (normal) and down (pressed).
    PreferenceAddUp = 146,
    PreferenceAddDown = 147,
    PreferenceDeleteUp = 148,
    PreferenceDeleteDown = 149,
    PreferenceEditUp = 150,
    PreferenceEditDown = 151,

    // List views: images of 16 x 16 unless said otherwise. Header strips hold 3 sets of one
    // image per column (see below).
    DetailShortcuts = 155, // 3 images: check list, expenses, stages
    StageIcon16 = 156,     // 1 image, every row of the stage list
    StageIcon32 = 157,     // 1 image of 32 x 32, the same in the large-icon mode
    ExpenseHeader = 159,   // 15 images: 5 columns x 3 sets
    TravelHeader = 160,    // 15 images: 5 columns x 3 sets
    CheckListHeader = 161, // 1 image, left of the one column's caption
    StageHeader = 162,     // 9 images: 3 columns x 3 sets
    ImportTicks = 169,     // 2 images: not ticked, ticked

    // The travel sheet in wizard form.
    WizardHeader = 166,    // 49 x 49
    WizardWatermark = 167, // 164 x 314

    // Watermarks of the list views, 220 x 123: pale pictures for the lower right corner,
    // behind the rows.
    TravelDetailWatermark = 174,
    StageDetailWatermark = 175,
    CheckListWatermark = 176,
    ExpenseWatermark = 177,
    StageListWatermark = 178,
    TravelListWatermark = 179,

    // The Working Directory dialog: a background over the whole dialog, 440 x 250, with the
    // controls laid over it at the WorkDir... rectangles below; picture buttons of 90 x 26
    // (OK, the default button, in the accent colour); and a 48 x 48 folder emblem, fit for
    // the dialog's window icon, which the dialog's controls do not use.
    WorkDirHelp = 183,
    WorkDirCancel = 184,
    WorkDirBrowse = 185,
    WorkDirEmblem = 186,
    WorkDirBackground = 187,
    WorkDirOk = 188,

    SelectImagePlaceholder = 192, // 320 x 200, the Select Image preview before a choice

    // Picture buttons of the images view, 28 x 20, each with a disabled picture.
    AddCategory = 194,
    DeleteCategoryDisabled = 195,
    NextImage = 196,
    PreviousImage = 197,
    RemoveImage = 198,
    ChangeImage = 199,
    AddImage = 200,
    CancelCategoryEdit = 201,
    SaveCategoryEdit = 202,
    RenameCategory = 203,
    PreviousImageDisabled = 204,
    NextImageDisabled = 205,
    ChangeImageDisabled = 206,
    RemoveImageDisabled = 207,
    AddImageDisabled = 208,
    SaveCategoryEditDisabled = 209,
    RenameCategoryDisabled = 210,
    DeleteCategory = 211,
    CancelCategoryEditDisabled = 212,
    AddCategoryDisabled = 213,

    ImageRowHeight = 215, // 32 x 80, one image that makes every image-list row 80 pixels tall

    // Toolbar buttons of the commands beyond the toolbar strip, 16 x 16.
    FindButton = 216,
    ExportPdfButton = 217,
    ImportBookingButton = 218,
};

// How a picture divides into images: every image is imageWidth x imageHeight and there are
// imageCount of them side by side (a single picture has a count of 1).
struct Layout {
    int id;
    int imageWidth;
    int imageHeight;
    int imageCount;
};

inline constexpr Layout Layouts[] = {
    {About, 499, 314, 1},
    {Toolbar, 16, 16, 21},
    {TravelIcons32, 32, 32, 113},
    {PreferenceAddUp, 24, 24, 1},
    {PreferenceAddDown, 24, 24, 1},
    {PreferenceDeleteUp, 24, 24, 1},
    {PreferenceDeleteDown, 24, 24, 1},
    {PreferenceEditUp, 24, 24, 1},
    {PreferenceEditDown, 24, 24, 1},
    {TreeImages, 16, 16, 123},
    {DetailShortcuts, 16, 16, 3},
    {StageIcon16, 16, 16, 1},
    {StageIcon32, 32, 32, 1},
    {ExpenseHeader, 16, 16, 15},
    {TravelHeader, 16, 16, 15},
    {CheckListHeader, 16, 16, 1},
    {StageHeader, 16, 16, 9},
    {WizardHeader, 49, 49, 1},
    {WizardWatermark, 164, 314, 1},
    {ImportTicks, 16, 16, 2},
    {TravelDetailWatermark, 220, 123, 1},
    {StageDetailWatermark, 220, 123, 1},
    {CheckListWatermark, 220, 123, 1},
    {ExpenseWatermark, 220, 123, 1},
    {StageListWatermark, 220, 123, 1},
    {TravelListWatermark, 220, 123, 1},
    {WorkDirHelp, 90, 26, 1},
    {WorkDirCancel, 90, 26, 1},
    {WorkDirBrowse, 90, 26, 1},
    {WorkDirEmblem, 48, 48, 1},
    {WorkDirBackground, 440, 250, 1},
    {WorkDirOk, 90, 26, 1},
    {SelectImagePlaceholder, 320, 200, 1},
    {AddCategory, 28, 20, 1},
    {DeleteCategoryDisabled, 28, 20, 1},
    {NextImage, 28, 20, 1},
    {PreviousImage, 28, 20, 1},
    {RemoveImage, 28, 20, 1},
    {ChangeImage, 28, 20, 1},
    {AddImage, 28, 20, 1},
    {CancelCategoryEdit, 28, 20, 1},
    {SaveCategoryEdit, 28, 20, 1},
    {RenameCategory, 28, 20, 1},
    {PreviousImageDisabled, 28, 20, 1},
    {NextImageDisabled, 28, 20, 1},
    {ChangeImageDisabled, 28, 20, 1},
    {RemoveImageDisabled, 28, 20, 1},
    {AddImageDisabled, 28, 20, 1},
    {SaveCategoryEditDisabled, 28, 20, 1},
    {RenameCategoryDisabled, 28, 20, 1},
    {DeleteCategory, 28, 20, 1},
    {CancelCategoryEditDisabled, 28, 20, 1},
    {AddCategoryDisabled, 28, 20, 1},
    {ImageRowHeight, 32, 80, 1},
    {FindButton, 16, 16, 1},
    {ExportPdfButton, 16, 16, 1},
    {ImportBookingButton, 16, 16, 1},
};

// The layout of a bitmap number, or nullptr for a number the program has no picture for.
const Layout* FindLayout(int bitmapNumber);

// Travel icons: a travel's icon number indexes both TravelIcons32 and TreeImages. The order is
// kept in res/src/travel-icons.tsv and must never change, since records store the number.
inline constexpr int TravelIconCount = 113;

// The tree's images in TreeImages: each node kind and, one further, its selected variant.
inline constexpr int TreeRootImage = 113;      // "Travels" (selected: 114)
inline constexpr int TreeCheckListImage = 115; // (selected: 116)
inline constexpr int TreeExpensesImage = 117;  // (selected: 118)
inline constexpr int TreeStagesImage = 119;    // (selected: 120)
inline constexpr int TreeStageImage = 121;     // (selected: 122)

// The command of each image of the Toolbar strip, in order. Image 0 sits under the month
// picker, which covers its button.
inline constexpr int ToolbarCommands[21] = {
    32772, 32788, 32789, 32794, 32797, 32819, 32802, 32803, 57607, 32790, 59409,
    59410, 32793, 32832, 32834, 32833, 32774, 32775, 32801, 57670, 57664,
};

// Header strips (ExpenseHeader, TravelHeader, StageHeader) hold three sets of one image per
// column: set 0 the column's own picture, set 1 ascending, set 2 descending. The image of
// column c in set s is at s * columnCount + c.

// Where the Working Directory dialog's controls go over WorkDirBackground.
inline constexpr QRect WorkDirPathRect{24, 130, 292, 24};
inline constexpr QRect WorkDirBrowseRect{326, 129, 90, 26};
inline constexpr QRect WorkDirHelpRect{24, 206, 90, 26};
inline constexpr QRect WorkDirOkRect{234, 206, 90, 26};
inline constexpr QRect WorkDirCancelRect{326, 206, 90, 26};

} // namespace Bitmaps

// The resource path of a bitmap at its own size (":/voyanta/bitmaps/<number>.png"), whether or
// not the program has that picture. QIcon finds the @2x copy from it by itself.
QString BitmapResourcePath(int bitmapNumber);

// The picture of a bitmap number, or a null pixmap when there is none. With a device pixel
// ratio above 1 the @2x copy is loaded when it exists and the pixmap carries ratio 2, so that it
// keeps the logical size of the 1x picture.
QPixmap LoadBitmap(int bitmapNumber, qreal devicePixelRatio = 1.0);

// The application icon, in every size it is drawn in.
QIcon LoadApplicationIcon();

// The images of a strip, each imageWidth wide (in logical pixels) and as tall as the strip,
// from left to right; a remainder narrower than imageWidth is dropped. Empty when the picture
// does not exist or imageWidth is not positive. The device pixel ratio works as in LoadBitmap().
QList<QPixmap> LoadImageStrip(int bitmapNumber, int imageWidth, qreal devicePixelRatio = 1.0);

// Cuts a strip into images imageWidth * devicePixelRatio pixels wide. A strip without an alpha
// channel gets one: its pure white (255, 255, 255) pixels become transparent; a strip with an
// alpha channel keeps it as it is.
QList<QPixmap> CutImageStrip(const QImage& strip, int imageWidth, qreal devicePixelRatio = 1.0);
