#pragma once

#include "GuiKit.h"
#include "RecordKey.h"

#include <QHash>

class CImagesView;
class CRecordCommands;
class CMonthPickerCtrl;
class CTravelTreeView;
class CUpperView;
class CVoyantaApp;
class QAction;
class QDateEdit;
class QFileSystemWatcher;
class QLabel;
class QMenu;
struct MenuNode;

// The main window: menu bar, toolbar with the month picker, status bar, and a splitter
// with the travel tree on the left, the upper list view and the images view on the
// right. Every command arrives here by its identifier, is enabled by its rule and is
// handled here or passed on to the upper view.
class CMainFrame : public CGuiFrameWnd {
    Q_OBJECT

public:
    explicit CMainFrame(CVoyantaApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* action(int command) const { return m_actions.value(command); }
    CTravelTreeView* tree() const { return m_tree; }
    CUpperView* upperView() const { return m_upperView; }
    CImagesView* imagesView() const { return m_imagesView; }
    QDateEdit* monthPicker() const;
    QMenu* contextMenu(int number) const { return m_contextMenus.value(number); }

    // Swaps the upper view for one of the kind (1 to 6), or reloads it when it already
    // is of that kind.
    void showViewOfKind(int kind);
    void loadUpperViewForTreeSelection();
    void endPendingEdits();
    CRecordCommands* recordCommands() const { return m_records; }
    // Re-evaluates the enabling rule of every command.
    void updateCommands();
    // Reloads the data folder and rebuilds the tree.
    void refresh();
    void synchronize();
    void showImagesOfTravel(const RecordKey& travelKey);
    // The text the status bar shows when record files changed outside the program.
    QString outsideChangeNotice() const;

signals:
    // A record command (new, modify, delete, copy, export, import, preferences, print).
    void recordCommand(int command);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* makeAction(int command, const QString& menuText);
    QMenu* buildMenu(const MenuNode& node, QWidget* parent);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildPanes();
    void onCommand(int command);
    void connectUpperView();
    // Shows context menu number (of the frame's menus) at a screen position, without
    // waiting: its command arrives like any other.
    void popupContextMenu(int number, const QPoint& globalPosition);
    void reportSkippedFiles();
    void onFolderChanged();
    void watchDataFolder();
    void changeWorkingDirectory();

    CVoyantaApp& m_app;
    QHash<int, QAction*> m_actions;
    QHash<int, QMenu*> m_contextMenus;
    CGuiToolBarWnd* m_toolbar = nullptr;
    CMonthPickerCtrl* m_monthPicker = nullptr;
    CGuiSplitterWnd* m_outerSplitter = nullptr;
    CGuiSplitterWnd* m_innerSplitter = nullptr;
    CTravelTreeView* m_tree = nullptr;
    CUpperView* m_upperView = nullptr;
    CImagesView* m_imagesView = nullptr;
    QLabel* m_outsideChange = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    CRecordCommands* m_records = nullptr;
    bool m_shutDown = false;
};
