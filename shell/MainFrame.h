#pragma once

#include "GuiKit.h"
#include "RecordKey.h"
#include "TreeSelection.h"
#include "ViewKinds.h"

#include <QHash>

#include <functional>

class Outcome;

class CConflictsCommand;
class CImagesView;
class CFindCommand;
class CPrintCommands;
struct FindMatch;
class CRecordCommands;
class CSyncCommand;
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
    QMenu* popupMenu(PopupMenu menu) const { return m_popupMenus.value(menu); }

    // Swaps the upper view for one of the kind, or reloads it when it already is of
    // that kind. The view it replaces saves what it edits first.
    void showViewOfKind(ViewKind kind);
    void loadUpperViewForTreeSelection();
    // Lets the upper view end an edit and write what it edits to the store. When that
    // cannot be written the user is told which file failed and why, and chooses: Retry,
    // Discard Changes (the view reads its rows again) or Cancel (false: the caller stays
    // where it is). When the travel was removed outside the program, nothing is written:
    // the user keeps the view's unsaved rows as a new travel or discards them, and the
    // data folder is read again.
    bool endPendingEdits();
    // After a save that another program's removal of the travel refused: asks whether
    // to keep the unsaved entries as a new travel (keep() writes them) or to discard them
    // (discard()), then reads the data folder again.
    void resolveRemovedTravel(const Outcome& refused, const std::function<Outcome()>& keep,
                              const std::function<void()>& discard);
    // Whether anything runs a command now: the frame, the upper view or a record
    // command. A command that nothing runs is disabled.
    bool isHandled(int command) const;
    // Whether the images pane, not the upper view, is the active pane: the user moved
    // into it after the upper view was last loaded or used.
    bool imagesPaneActive() const { return m_imagesActive; }
    // A message in the status bar for a while.
    void showStatus(const QString& message);
    // Shows a record a search found: its month, its node in the tree, its row; false when
    // it could not (the travel is gone, or the user stayed with unsaved rows).
    bool showFound(const FindMatch& match);
    CFindCommand* findCommand() const { return m_find; }
    CRecordCommands* recordCommands() const { return m_records; }
    CSyncCommand* syncCommand() const { return m_sync; }
    CConflictsCommand* conflicts() const { return m_conflicts; }
    // Whether the window is closing: nothing is read or shown any more.
    bool isClosing() const { return m_shutDown; }
    // Says in the status bar that records changed outside the program (on another
    // device, when a sync engine shares the folder) and that F5 reads them.
    void markOutsideChange();
    // Re-evaluates the enabling rule of every command.
    void updateCommands();
    // Reloads the data folder and rebuilds the tree.
    void refresh();
    void synchronize();
    void showImagesOfTravel(const RecordKey& travelKey);
    // The text the status bar shows when record files changed outside the program.
    QString outsideChangeNotice() const;
    // How long after one of its own saves a change in the data folder counts as the
    // program's own (two seconds: the folder's notice arrives a little later).

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window are bookings to import.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* makeAction(int command, const QString& menuText);
    QMenu* buildMenu(const MenuNode& node, QWidget* parent);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildPanes();
    void onCommand(int command);
    // The commands the frame runs itself; false for the others.
    bool runFrameCommand(int command);
    static bool isFrameCommand(int command);
    void connectUpperView();
    // Keeps the upper view whose rows could not be saved, and selects its node again.
    void keepUpperView();
    // Shows a pop-up menu at a screen position, without waiting: its command arrives
    // like any other.
    void popupContextMenu(PopupMenu menu, const QPoint& globalPosition);
    // After the store is loaded: gives the working directory its images folder, with the
    // pictures of earlier versions, and says what was copied or not.
    void adoptLegacyPictures();
    void reportSkippedFiles();
    void onFolderChanged();
    void watchDataFolder();
    void changeWorkingDirectory();
    // Reads the working directory the application now names, with its pictures.
    void switchWorkingDirectory();
    // Makes ~/Voyanta Sample of the sample travels the first time, and shows it for this run.
    void openSampleTravels();
    void onFocusChanged(QWidget* now);
    // Moves the keyboard focus to the next (+1) or the previous (-1) pane.
    void focusPane(int step);

    CVoyantaApp& m_app;
    QHash<int, QAction*> m_actions;
    QHash<PopupMenu, QMenu*> m_popupMenus;
    CGuiToolBarWnd* m_toolbar = nullptr;
    CMonthPickerCtrl* m_monthPicker = nullptr;
    CGuiSplitterWnd* m_outerSplitter = nullptr;
    CGuiSplitterWnd* m_innerSplitter = nullptr;
    CTravelTreeView* m_tree = nullptr;
    CUpperView* m_upperView = nullptr;
    ViewKind m_upperKind = ViewKind::TravelList;
    CImagesView* m_imagesView = nullptr;
    QLabel* m_outsideChange = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    CRecordCommands* m_records = nullptr;
    CPrintCommands* m_prints = nullptr;
    CFindCommand* m_find = nullptr;
    CSyncCommand* m_sync = nullptr;
    CConflictsCommand* m_conflicts = nullptr;
    QMetaObject::Connection m_focusWatch;
    bool m_imagesActive = false;
    bool m_shutDown = false;
    // What the upper view was loaded for, and whether the tree is being put back to it.
    TreeSelection m_shownSelection;
    bool m_keepingUpperView = false;
    bool m_reloadPending = false;
};
