#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// A menu as the program builds it: pop-ups with their items, separators between.
struct MenuNode {
    QString text;    // with "&" before the access key; an item's accelerator after a tab
    int command = 0; // 0 for pop-ups and separators
    QList<MenuNode> children;

    bool isSeparator() const { return command == 0 && text.isEmpty(); }
    bool isPopup() const { return command == 0 && !text.isEmpty(); }
};

// The menu bar (menu 128): File, View, Travel, Check List, Expense, Stage,
// Appointment, Tools, Help.
const QList<MenuNode>& MainMenu();
// The positions in the menu bar of the pop-ups that the lists also open as context menus.
enum MenuBarPosition { CheckListMenuPosition = 3, ExpenseMenuPosition = 4 };

// The context menus (menu 136); pop-up 0 "Travels", 1 "Travel", 2 "Stages",
// 3 "Stage", 4 "Appointment", 5 "ModDel", 6 "New", 7 "Sta", 8 "NewImport".
const QList<MenuNode>& ContextMenus();

// The toolbar's buttons left to right; 0 stands for a separator. The first button
// is the month picker.
const QList<int>& ToolbarLayout();

struct Accelerator {
    int command;
    QKeySequence keys;
};
const QList<Accelerator>& Accelerators();
