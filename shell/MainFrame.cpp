#include "MainFrame.h"

#include "AboutBox.h"
#include "CommandEnabling.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "ConflictsCommand.h"
#include "FindCommand.h"
#include "ImagesView.h"
#include "MonthPicker.h"
#include "Pictures.h"
#include "PrintCommands.h"
#include "Prompter.h"
#include "RecordCommands.h"
#include "SampleTravels.h"
#include "StringTable.h"
#include "SyncCommand.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "UpperView.h"
#include "UpperViewFactory.h"
#include "VoyantaApp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>

namespace {

// How long a message stays in the status bar.
constexpr int StatusMessageMilliseconds = 10000;
// How long after one of its own saves a change in the folder is taken for that save.
constexpr int OwnChangeMilliseconds = 2000;
// How many unreadable files the start-up message names one by one.
constexpr qsizetype NamedProblems = 15;

} // namespace

CMainFrame::CMainFrame(CVoyantaApp& app, QWidget* parent) : CGuiFrameWnd(parent), m_app(app)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(ResourceText(Str::ProgramTitle));
    setAcceptDrops(true);
    resize(1100, 760);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildPanes();
    watchDataFolder();
    m_records = new CRecordCommands(*this, m_app);
    m_prints = new CPrintCommands(*this, m_app);
    m_find = new CFindCommand(*this, m_app);
    m_sync = new CSyncCommand(*this, m_app);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { onFocusChanged(now); });
    updateCommands();
}

CMainFrame::~CMainFrame()
{
    // Hiding the window while it is destroyed moves the focus; the frame is no longer
    // one to tell.
    disconnect(m_focusWatch);
}

QDateEdit* CMainFrame::monthPicker() const
{
    return m_monthPicker;
}

QAction* CMainFrame::makeAction(int command, const QString& menuText)
{
    if (QAction* existing = m_actions.value(command))
        return existing;
    auto* action = new QAction(menuText, this);
    action->setObjectName(QString::number(command));
    action->setIconText(
        QString(menuText).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
    action->setStatusTip(CommandPrompt(command));
    action->setToolTip(CommandTooltip(command).isEmpty() ? CommandPrompt(command)
                                                         : CommandTooltip(command));
    for (const Accelerator& accelerator : Accelerators()) {
        if (accelerator.command == command)
            action->setShortcut(accelerator.keys);
    }
    connect(action, &QAction::triggered, this, [this, command] { onCommand(command); });
    m_actions.insert(command, action);
    return action;
}

QMenu* CMainFrame::buildMenu(const MenuNode& node, QWidget* parent)
{
    auto* menu = new QMenu(node.text, parent);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
    for (const MenuNode& child : node.children) {
        if (child.isSeparator())
            menu->addSeparator();
        else if (child.isPopup())
            menu->addMenu(buildMenu(child, menu));
        else
            menu->addAction(makeAction(child.command, child.text));
    }
    return menu;
}

void CMainFrame::buildMenus()
{
    QList<QMenu*> barMenus;
    for (const MenuNode& popup : MainMenu()) {
        barMenus.append(buildMenu(popup, this));
        menuBar()->addMenu(barMenus.last());
    }
    const QList<MenuNode>& contextMenus = ContextMenus();
    for (int i = 0; i < contextMenus.size(); ++i)
        m_popupMenus.insert(PopupMenu(i), buildMenu(contextMenus[i], this));
    // The check list and the expense list open their menu bar pop-ups as context menus.
    m_popupMenus.insert(PopupMenu::CheckListMenu, barMenus.value(CheckListMenuPosition));
    m_popupMenus.insert(PopupMenu::ExpenseMenu, barMenus.value(ExpenseMenuPosition));
    // Accelerators without a menu item: Shift+Delete (nothing), F6 and Shift+F6.
    for (int command : {int(Cmd::Cut), int(Cmd::NextPane), int(Cmd::PreviousPane)})
        addAction(makeAction(command, QString()));
    for (int command : {int(Cmd::ViewToolbar), int(Cmd::ViewStatusBar)}) {
        action(command)->setCheckable(true);
        action(command)->setChecked(true);
    }
}

void CMainFrame::buildToolbar()
{
    m_toolbar = new CGuiToolBarWnd(QStringLiteral("Toolbar"), this);
    m_toolbar->setObjectName(QString::number(Cmd::ViewToolbar));
    m_toolbar->setIconSize(QSize(16, 16));
    GuiDrawLayer::ApplyFace(m_toolbar);
    GuiDrawLayer::ApplyFace(menuBar());
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    const QList<QPixmap> images = Pictures::ToolbarImages();
    for (int command : ToolbarLayout()) {
        if (command == 0) {
            m_toolbar->addSeparator();
            continue;
        }
        if (command == Cmd::MonthPicker) {
            m_monthPicker = new CMonthPickerCtrl(m_toolbar);
            m_toolbar->addWidget(m_monthPicker);
        } else {
            QAction* toolAction = m_actions.value(command);
            const int image = Pictures::ToolbarImageOf(command);
            if (image >= 0 && image < images.size())
                toolAction->setIcon(QIcon(images[image]));
            else if (const QPixmap own = Pictures::OwnToolbarPicture(command); !own.isNull())
                toolAction->setIcon(QIcon(own));
            m_toolbar->addAction(toolAction);
        }
    }
    connect(m_monthPicker, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (!endPendingEdits()) {
            const QSignalBlocker blocker(m_monthPicker);
            m_monthPicker->setDate(m_tree->month());
            return;
        }
        m_tree->setMonth(date);
        m_tree->refresh();
    });
}

void CMainFrame::buildStatusBar()
{
    auto* bar = new CGuiStatusBar(this);
    setStatusBar(bar);
    m_outsideChange = new QLabel(bar);
    m_outsideChange->setObjectName(QStringLiteral("outsideChange"));
    bar->addPermanentWidget(m_outsideChange);
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QLatin1String(indicator), bar);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    }
    const QString ready = QStringLiteral("Ready");
    connect(bar, &QStatusBar::messageChanged, this, [bar, ready](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(ready);
    });
    bar->showMessage(ready);
}

void CMainFrame::buildPanes()
{
    TravelDataStore& store = m_app.store();
    if (Outcome refreshed = store.Refresh(); !refreshed.ok())
        m_app.prompter().inform(this, refreshed.message());
    adoptLegacyPictures();
    m_outerSplitter = new CGuiSplitterWnd(Qt::Horizontal, this);
    m_outerSplitter->setObjectName(QStringLiteral("outerSplitter"));
    m_tree = new CTravelTreeView(store, m_outerSplitter);
    m_tree->setImages(Pictures::TreeImages());
    m_tree->setMonth(m_monthPicker->date());
    m_conflicts = new CConflictsCommand(*this, m_app);
    m_innerSplitter = new CGuiSplitterWnd(Qt::Vertical, m_outerSplitter);
    m_innerSplitter->setObjectName(QStringLiteral("innerSplitter"));
    m_upperView = CreateUpperView(ViewKind::TravelList, store, m_app.prompter(), nullptr);
    m_upperKind = ViewKind::TravelList;
    connectUpperView();
    m_imagesView = new CImagesView(store, m_app.prompter(), m_innerSplitter);
    connect(m_imagesView, &CImagesView::travelRemovedOutside, this, [this](const Outcome& refused) {
        resolveRemovedTravel(
            refused, [this] { return m_imagesView->keepAsNewTravel(); },
            [this] { m_imagesView->discardChanges(); });
    });
    m_outerSplitter->addWidget(m_tree);
    m_outerSplitter->addWidget(m_innerSplitter);
    m_innerSplitter->addWidget(m_upperView);
    m_innerSplitter->addWidget(m_imagesView);
    m_outerSplitter->setSizes({280, 820});
    // The images view's form needs 320 pixels; less makes it scroll.
    m_innerSplitter->setSizes({400, 320});
    m_outerSplitter->setStretchFactor(1, 1);
    m_innerSplitter->setStretchFactor(0, 1);
    setCentralWidget(m_outerSplitter);

    connect(m_tree, &CTravelTreeView::nodeSelected, this, &CMainFrame::showViewOfKind);
    connect(m_tree, &CTravelTreeView::contextMenuRequested, this, &CMainFrame::popupContextMenu);
    reportSkippedFiles();
    m_conflicts->update();
    m_tree->refresh();
    // The upper view is the active pane from the start, not the month picker.
    m_upperView->setFocus();
}

void CMainFrame::showViewOfKind(ViewKind kind)
{
    if (m_keepingUpperView)
        return;
    if (m_upperView && m_upperKind == kind) {
        if (endPendingEdits())
            loadUpperViewForTreeSelection();
        else
            keepUpperView();
        return;
    }
    CUpperView* old = m_upperView;
    if (old) {
        if (!endPendingEdits()) {
            keepUpperView();
            return;
        }
        if (const Outcome saved = old->saveAndRelease(); !saved.ok()) {
            m_app.prompter().inform(this, saved.message());
            keepUpperView();
            return;
        }
    }
    // The new view takes the keyboard focus only when the user was in the one it replaces
    // (Enter or a double click on a row there); a click or the arrow keys in the tree, or
    // the month picker, keep it where it is. The window's own focus widget tells, also
    // while the window is not active: a click in the tree may arrive before the window
    // manager activates the window.
    const QWidget* focus = focusWidget();
    const bool takeFocus = old && focus && (old == focus || old->isAncestorOf(focus));
    // Made without a parent: a child of the splitter would join it as a pane of its own.
    m_upperView = CreateUpperView(kind, m_app.store(), m_app.prompter(), nullptr);
    m_upperKind = kind;
    connectUpperView();
    if (old) {
        m_innerSplitter->replaceWidget(m_innerSplitter->indexOf(old), m_upperView);
        old->hide();
        old->deleteLater();
    } else {
        m_innerSplitter->insertWidget(0, m_upperView);
    }
    m_upperView->show();
    if (takeFocus)
        m_upperView->setFocus();
    loadUpperViewForTreeSelection();
}

void CMainFrame::keepUpperView()
{
    // The rows the view could not save are the only copy: the view stays with them, and
    // the tree goes back to the node the view shows.
    m_keepingUpperView = true;
    m_tree->selectPath(m_shownSelection.travelKey, m_shownSelection.child,
                       m_shownSelection.stageKey);
    m_keepingUpperView = false;
    updateCommands();
}

void CMainFrame::popupContextMenu(PopupMenu menu, const QPoint& globalPosition)
{
    updateCommands();
    if (QMenu* popup = m_popupMenus.value(menu))
        popup->popup(globalPosition);
}

void CMainFrame::connectUpperView()
{
    CUpperView* view = m_upperView;
    connect(view, &CUpperView::stateChanged, this, &CMainFrame::updateCommands);
    connect(view, &CUpperView::travelChosen, this, &CMainFrame::showImagesOfTravel);
    connect(view, &CUpperView::selectPathRequested, m_tree, &CTravelTreeView::selectPath,
            Qt::QueuedConnection);
    connect(view, &CUpperView::commandRequested, this, &CMainFrame::onCommand);
    connect(view, &CUpperView::contextMenuRequested, this, &CMainFrame::popupContextMenu);
    connect(view, &CUpperView::captionChanged, m_tree, &CTravelTreeView::setSelectedCaption);
    connect(view, &CUpperView::notice, this, &CMainFrame::showStatus);
}

void CMainFrame::loadUpperViewForTreeSelection()
{
    if (!m_upperView || !m_tree->currentIndex().isValid()) {
        updateCommands();
        return;
    }
    m_imagesActive = false;
    m_shownSelection = m_tree->selection();
    m_upperView->load(m_shownSelection);
    updateCommands();
}

bool CMainFrame::endPendingEdits()
{
    if (!m_upperView)
        return true;
    enum { Retry, Discard, Cancel };
    for (;;) {
        const Outcome saved = m_upperView->save();
        if (saved.ok())
            return true;
        if (saved.refusal() == Outcome::Refusal::OwnerGone) {
            CUpperView* view = m_upperView;
            resolveRemovedTravel(
                saved, [view] { return view->keepAsNewTravel(); },
                [view] { view->discardChanges(); });
            return true;
        }
        const int choice = m_app.prompter().choose(
            this,
            QStringLiteral("Voyanta could not save your changes.\n\n%1\n\nTry again, discard "
                           "the changes, or cancel and stay where you are?")
                .arg(saved.message()),
            {tr("&Retry"), tr("&Discard Changes"), tr("Cancel")});
        if (choice == Retry)
            continue;
        if (choice == Discard) {
            m_upperView->discardChanges();
            return true;
        }
        return false;
    }
}

void CMainFrame::resolveRemovedTravel(const Outcome& refused, const std::function<Outcome()>& keep,
                                      const std::function<void()>& discard)
{
    const QString question =
        QStringLiteral("Nothing was saved: %1 (%2).\n\nKeep your unsaved entries as a new "
                       "travel, or discard them? Voyanta then reads the data folder again.")
            .arg(refused.error().reason, QDir::toNativeSeparators(refused.error().path));
    if (m_app.prompter().choose(this, question, {tr("&Keep as New Travel"), tr("&Discard")}) == 0) {
        if (const Outcome kept = keep(); !kept.ok()) {
            m_app.prompter().inform(this, kept.message());
            discard();
        }
    } else {
        discard();
    }
    // Read again once the command that met the removal has ended.
    m_reloadPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_reloadPending && !m_shutDown)
            refresh();
    });
}

bool CMainFrame::isFrameCommand(int command)
{
    switch (command) {
    case Cmd::Exit:
    case Cmd::About:
    case Cmd::Help:
    case Cmd::HelpSampleTravels:
    case Cmd::Refresh:
    case Cmd::Synchronize:
    case Cmd::ResolveConflicts:
    case Cmd::WorkingDirectory:
    case Cmd::ViewToolbar:
    case Cmd::ViewStatusBar:
    case Cmd::NextPane:
    case Cmd::PreviousPane:
    case Cmd::Find:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::isHandled(int command) const
{
    if (command == Cmd::ResolveConflicts)
        return m_conflicts && m_conflicts->any();
    if (isFrameCommand(command))
        return true;
    if (!m_upperView)
        return false;
    return m_upperView->handles(command) || (m_records && m_records->handles(command)) ||
           (m_prints && m_prints->handles(command));
}

void CMainFrame::updateCommands()
{
    if (!m_upperView)
        return;
    ViewFacts facts = m_upperView->facts();
    facts.upperViewActive = !m_imagesActive;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(CommandEnabled(it.key(), facts) && isHandled(it.key()));
    action(Cmd::ViewToolbar)->setChecked(m_toolbar->isVisible() || !isVisible());
    action(Cmd::ViewStatusBar)->setChecked(statusBar()->isVisible() || !isVisible());
}

void CMainFrame::refresh()
{
    if (!endPendingEdits())
        return;
    m_reloadPending = false;
    if (Outcome refreshed = m_app.store().Refresh(); !refreshed.ok())
        m_app.prompter().inform(this, refreshed.message());
    adoptLegacyPictures();
    m_outsideChange->clear();
    m_find->invalidate();
    reportSkippedFiles();
    m_conflicts->update();
    m_tree->refresh();
}

void CMainFrame::adoptLegacyPictures()
{
    const LegacyPictures pictures = m_app.adoptLegacyPictures();
    if (!pictures.copiedMessage().isEmpty())
        showStatus(pictures.copiedMessage());
    if (!pictures.failureMessage().isEmpty())
        m_app.prompter().inform(this, pictures.failureMessage());
}

void CMainFrame::synchronize()
{
    m_sync->run();
}

void CMainFrame::showImagesOfTravel(const RecordKey& travelKey)
{
    if (m_imagesView)
        m_imagesView->showTravel(travelKey);
}

QString CMainFrame::outsideChangeNotice() const
{
    return m_outsideChange->text();
}

void CMainFrame::reportSkippedFiles()
{
    const QList<LoadProblem> problems = m_app.store().problems();
    if (problems.isEmpty())
        return;
    QStringList lines;
    for (qsizetype i = 0; i < problems.size() && i < NamedProblems; ++i)
        lines.append(problems[i].fileName + QStringLiteral(": ") + problems[i].cause);
    if (problems.size() > NamedProblems)
        lines.append(QStringLiteral("... and %1 more").arg(problems.size() - NamedProblems));
    m_app.prompter().notify(
        this, QStringLiteral("These record files could not be read whole; Voyanta left them as "
                             "they are and shows everything else:\n\n%1")
                  .arg(lines.join(QLatin1Char('\n'))));
}

void CMainFrame::watchDataFolder()
{
    delete m_watcher;
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(m_app.store().dataFolder().path());
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &CMainFrame::onFolderChanged);
}

void CMainFrame::onFolderChanged()
{
    // The program's own saves change the folder too; those are not news.
    const TravelDataStore& store = m_app.store();
    if (store.now().toMSecsSinceEpoch() - store.lastChangeMsecs() < OwnChangeMilliseconds)
        return;
    markOutsideChange();
}

void CMainFrame::markOutsideChange()
{
    m_outsideChange->setText(
        m_sync->engineSharesFolder()
            ? QStringLiteral("Changed on another device: press F5 to reload")
            : QStringLiteral("Record files changed outside Voyanta: press F5 to reload"));
}

void CMainFrame::changeWorkingDirectory()
{
    if (!endPendingEdits())
        return;
    const QString before = m_app.workingDirectory();
    if (!m_app.chooseWorkingDirectory()) {
        m_app.setWorkingDirectory(before);
        return;
    }
    if (m_app.workingDirectory() == before)
        return;
    switchWorkingDirectory();
}

void CMainFrame::switchWorkingDirectory()
{
    // The pictures of the old folder's travel are saved and let go before the switch.
    showImagesOfTravel(RecordKey());
    m_app.writeWorkingDirectory();
    m_app.applyWorkingDirectory();
    refresh();
    watchDataFolder();
}

void CMainFrame::openSampleTravels()
{
    if (!endPendingEdits())
        return;
    const QString samples = SampleTravels::Folder();
    if (samples.isEmpty()) {
        m_app.prompter().inform(this, tr("The sample travels are not installed with this copy "
                                         "of Voyanta."));
        return;
    }
    const QString folder = QDir(QDir::homePath()).filePath(QStringLiteral("Voyanta Sample"));
    if (!QFileInfo::exists(folder)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const Outcome made = SampleTravels::Make(samples, folder, QDate::currentDate());
        QApplication::restoreOverrideCursor();
        if (!made.ok()) {
            QDir(folder).removeRecursively();
            m_app.prompter().inform(this, made.message());
            return;
        }
    }
    // For this run only: the working directory kept in the profile stays the user's own.
    m_app.setWorkingDirectoryOverride(folder);
    m_app.setWorkingDirectory(folder);
    switchWorkingDirectory();
    showStatus(tr("Showing the sample travels in %1; they start this month.")
                   .arg(QDir::toNativeSeparators(folder)));
}

void CMainFrame::onCommand(int command)
{
    // The upper view runs the commands it owns first: Modify and Delete on an
    // appointment row are the stage detail's, on any other row the record commands'.
    if (!runFrameCommand(command) && !m_upperView->run(command) && !m_records->run(command))
        m_prints->run(command);
    updateCommands();
}

bool CMainFrame::runFrameCommand(int command)
{
    switch (command) {
    case Cmd::Exit:
        close();
        return true;
    case Cmd::About: {
        CAboutBox about(this);
        m_app.prompter().run(&about);
        return true;
    }
    case Cmd::Help:
        m_app.openHelp();
        return true;
    case Cmd::HelpSampleTravels:
        openSampleTravels();
        return true;
    case Cmd::Refresh:
        refresh();
        return true;
    case Cmd::Synchronize:
        synchronize();
        return true;
    case Cmd::ResolveConflicts:
        m_conflicts->open();
        return true;
    case Cmd::WorkingDirectory:
        changeWorkingDirectory();
        return true;
    case Cmd::ViewToolbar:
        m_toolbar->setVisible(!m_toolbar->isVisible());
        return true;
    case Cmd::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case Cmd::Find:
        m_find->open();
        return true;
    case Cmd::NextPane:
        focusPane(+1);
        return true;
    case Cmd::PreviousPane:
        focusPane(-1);
        return true;
    default:
        return false;
    }
}

void CMainFrame::onFocusChanged(QWidget* now)
{
    if (!now || !m_imagesView)
        return;
    const bool images = m_imagesView == now || m_imagesView->isAncestorOf(now);
    const bool upper = m_upperView && (m_upperView == now || m_upperView->isAncestorOf(now));
    if (images || upper) {
        m_imagesActive = images;
        updateCommands();
    }
}

bool CMainFrame::showFound(const FindMatch& match)
{
    const TravelRecord travel = m_app.store().GetTravel(match.travelKey);
    const QDate start = travel.start.date();
    if (travel.key.isEmpty() || !start.isValid())
        return false;
    if (start.year() != m_tree->month().year() || start.month() != m_tree->month().month()) {
        m_monthPicker->setDate(start);
        if (m_tree->month() != start)
            return false; // what the view edited could not be saved: the month stays
    }
    switch (match.kind) {
    case FindKind::Travel:
        m_tree->selectPath(match.travelKey, TreeChild::None, {});
        break;
    case FindKind::Stage:
    case FindKind::Appointment:
        m_tree->selectPath(match.travelKey, TreeChild::Stages, match.stageKey);
        break;
    case FindKind::CheckListEntry:
        m_tree->selectPath(match.travelKey, TreeChild::CheckList, {});
        break;
    case FindKind::Expense:
        m_tree->selectPath(match.travelKey, TreeChild::Expenses, {});
        break;
    }
    if (m_tree->selection().travelKey != match.travelKey)
        return false; // the view kept its unsaved rows
    m_upperView->markFound(match);
    return true;
}

void CMainFrame::focusPane(int step)
{
    // F6 goes round the three panes, never into the toolbar's month picker.
    const QList<QWidget*> panes = {m_tree, m_upperView, m_imagesView};
    const QWidget* focus = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < int(panes.size()); ++i) {
        if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus)))
            current = i;
    }
    QWidget* pane = panes[(current + step + int(panes.size())) % int(panes.size())];
    if (pane->focusPolicy() == Qt::NoFocus && !pane->focusProxy()) {
        // A pane of several controls: its first one that takes the focus.
        for (QWidget* child : pane->findChildren<QWidget*>()) {
            if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
                pane = child;
                break;
            }
        }
    }
    pane->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::showStatus(const QString& message)
{
    statusBar()->showMessage(message, StatusMessageMilliseconds);
}

namespace {

// The local files a drop carries, or nothing when it carries anything else.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty() && action(Cmd::ImportBooking)->isEnabled())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the import asks its questions in dialogs of its own.
    QTimer::singleShot(0, this, [this, files] { m_records->importBookingFiles(files); });
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_shutDown) {
        // What the upper view edits must reach the disk before anything is let go: when
        // it cannot, the window stays open with the edits, and the user is told why.
        if (!endPendingEdits()) {
            event->ignore();
            return;
        }
        m_shutDown = true;
        m_app.saveWorkingDirectoryIfRunning();
        m_imagesView->showTravel(RecordKey());
        m_imagesView->setClosed();
        showViewOfKind(ViewKind::TravelList);
        m_tree->releaseEveryNode();
        if (const Outcome released = m_upperView->saveAndRelease(); !released.ok())
            m_app.prompter().inform(this, released.message());
    }
    event->accept();
}
