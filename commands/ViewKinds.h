#pragma once

// The kinds of list the upper right-hand pane shows. The numbers are the ones the
// frame gives each kind of view.
enum class ViewKind : int {
    TravelList = 1,
    TravelDetail = 2,
    CheckList = 3,
    ExpenseList = 4,
    StageList = 5,
    StageDetail = 6,
};

// How the travel list and the stage list show their rows.
enum class DisplayMode : int {
    SmallIcons = 0,
    LargeIcons = 1,
    List = 2,
    Report = 3,
};

// The children of a travel node in the tree, in their order.
enum class TreeChild : int {
    None = 0,
    CheckList = 1,
    Expenses = 2,
    Stages = 3,
};

// The pop-up menus the tree and the views open: the context menus in their order, then
// the two pop-ups of the menu bar that the check list and the expense list open.
enum class PopupMenu : int {
    Travels = 0,
    Travel = 1,
    Stages = 2,
    Stage = 3,
    Appointment = 4,
    ModDel = 5,
    New = 6,
    Sta = 7,
    NewImport = 8,
    CheckListMenu,
    ExpenseMenu,
};
