#include "CheckListModel.h"
#include "CheckListView.h"
#include "CommandIds.h"
#include "ExpenseListView.h"
#include "ExpenseModel.h"
#include "ImagesView.h"
#include "ListCtrl.h"
#include "MainFrame.h"
#include "StageDetailListView.h"
#include "TestSupport.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QWizard>

namespace {

bool inMenu(const QList<QAction*>& actions, const QAction* wanted)
{
    for (const QAction* action : actions) {
        if (action == wanted || (action->menu() && inMenu(action->menu()->actions(), wanted)))
            return true;
    }
    return false;
}

// Types into a line edit as a user does: everything in it chosen first, then the text.
void typeOver(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

// Types a moment into a date or date-time editor as a user does: the first section
// chosen (Home, then one section on and back), then the text of each section, with Tab
// to the next one where typing did not move on by itself.
void typeMoment(QDateTimeEdit* edit, const QDateTime& moment)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList sections = edit->locale()
                                     .toString(moment, edit->displayFormat())
                                     .split(separators, Qt::SkipEmptyParts);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ShiftModifier);
    for (int section = 0; section < sections.size(); ++section) {
        QTest::keyClicks(edit, sections[section]);
        if (edit->currentSectionIndex() == section && section + 1 < sections.size())
            QTest::keyClick(edit, Qt::Key_Tab);
    }
}

const QString tripTitle = QStringLiteral("Lisbon in spring");
const QDate firstDay(2006, 3, 10);
const QDate lastDay(2006, 3, 14);
const QDateTime fadoNight(QDate(2006, 3, 11), QTime(21, 30));

// Runs a helper and ends the calling function when the helper failed.
#define CHECKED(call)                                                                              \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

// Ends the test at the first step that fails, and says which one it was.
#define STEP(step)                                                                                 \
    do {                                                                                           \
        step();                                                                                    \
        if (QTest::currentTestFailed()) {                                                          \
            qWarning("the trip went wrong in step %s", #step);                                     \
            return;                                                                                \
        }                                                                                          \
    } while (false)

} // namespace

// A whole trip planned in the real window as a user plans one, through the menus, the keys
// and the dialogs only; then the program is started again on the same folder, and
// everything is as the user left it, on screen and on disk.
class WholeTripTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;
    std::unique_ptr<WindowRestart> m_restart;
    CMainFrame* m_frame = nullptr;
    ScriptedPrompter* m_prompter = nullptr;
    TravelDataStore* m_store = nullptr;
    RecordKey m_travel;
    RecordKey m_alfama;
    RecordKey m_sintra;
    QString m_picture;

    ScriptedPrompter& prompter() { return *m_prompter; }
    CTravelTreeView* tree() const { return m_frame->tree(); }
    QString imagesFolder() const { return m_run->app.imagesFolder(); }

    // Picks a command from the menu bar: it must stand in one of its menus and be enabled.
    void menu(int command)
    {
        QAction* action = m_frame->action(command);
        QVERIFY2(action, qPrintable(QStringLiteral("no action %1").arg(command)));
        QVERIFY2(inMenu(m_frame->menuBar()->actions(), action),
                 qPrintable(action->text() + QStringLiteral(" is in no menu")));
        QVERIFY2(action->isEnabled(), qPrintable(action->text() + QStringLiteral(" is disabled")));
        action->trigger();
    }

    // A click on a node of the tree, as a user picks it.
    void clickNode(const QModelIndex& node)
    {
        QVERIFY2(node.isValid(), "the node is not in the tree");
        tree()->scrollTo(node);
        const QRect cell = tree()->visualRect(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          QPoint(cell.left() + 24, cell.center().y()));
        QCOMPARE(tree()->currentIndex(), node);
    }

    // Picks a node and opens it with the Right key.
    void openNode(const QModelIndex& node)
    {
        CHECKED(clickNode(node));
        QTest::keyClick(tree(), Qt::Key_Right);
        QVERIFY2(tree()->isExpanded(node),
                 qPrintable(node.data().toString() + QStringLiteral(" did not open")));
    }

    QModelIndex travelNode() const { return tree()->travelNode(m_travel); }
    QModelIndex childNode(TreeNodeKind kind) const
    {
        return tree()->travelChildNode(m_travel, kind);
    }
    QModelIndex stageNode(const QString& title) const
    {
        const QModelIndex stages = childNode(TreeNodeKind::Stages);
        for (int row = 0; row < tree()->model()->rowCount(stages); ++row) {
            if (tree()->model()->index(row, 0, stages).data() == title)
                return tree()->model()->index(row, 0, stages);
        }
        return {};
    }

    void showTravelDetail()
    {
        CHECKED(clickNode(travelNode()));
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::TravelDetail);
    }

    void openTravel()
    {
        CHECKED(openNode(travelNode()));
        QCOMPARE(tree()->model()->rowCount(travelNode()), 3);
    }

    // The view of the upper pane when it is of the kind asked for.
    template <typename View> View* upper() const
    {
        return qobject_cast<View*>(m_frame->upperView());
    }
    CImagesView* images() const { return m_frame->imagesView(); }

    // The travel's category file as another program reads it: one line per category, its
    // name, then title=file of each picture.
    QStringList categoryFile() const { return readCategoryFile(imagesFolder(), m_travel); }

    void startWindow(CMainFrame* frame)
    {
        m_frame = frame;
        QVERIFY(m_frame);
        m_frame->resize(1100, 760);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    }

    // --- The steps of the trip, in the order a user takes them. ---

    void newTravelInTheWizard()
    {
        prompter().dialogs = {[](QDialog* dialog) {
            auto* wizard = qobject_cast<QWizard*>(dialog);
            if (!wizard)
                return int(QDialog::Rejected);
            wizard->restart();
            typeOver(control<QLineEdit>(wizard, Control::Title), tripTitle);
            typeOver(control<QComboBox>(wizard, Control::Mode)->lineEdit(),
                     QStringLiteral("Train"));
            typeOver(control<QLineEdit>(wizard, Control::From), QStringLiteral("Porto"));
            typeOver(control<QLineEdit>(wizard, Control::Destination), QStringLiteral("Lisbon"));
            typeMoment(control<QDateEdit>(wizard, Control::Starts), firstDay.startOfDay());
            typeMoment(control<QDateEdit>(wizard, Control::Ends), lastDay.startOfDay());
            typeOver(control<QComboBox>(wizard, Control::Type)->lineEdit(),
                     QStringLiteral("Personal"));
            typeOver(control<QComboBox>(wizard, Control::Priority)->lineEdit(),
                     QStringLiteral("High"));
            wizard->button(QWizard::NextButton)->click();
            typeOver(control<QComboBox>(wizard, Control::Status)->lineEdit(),
                     QStringLiteral("Planned"));
            typeOver(control<QLineEdit>(wizard, Control::TicketNo), QStringLiteral("TK 1042"));
            typeOver(control<QLineEdit>(wizard, Control::SeatNo), QStringLiteral("14C"));
            auto* notes = control<QPlainTextEdit>(wizard, Control::Notes);
            QTest::keyClicks(notes, QStringLiteral("Pack light"));
            QTest::keyClick(notes, Qt::Key_Return);
            QTest::keyClicks(notes, QStringLiteral("Book the fado early"));
            wizard->button(QWizard::FinishButton)->click();
            return wizard->result();
        }};
        CHECKED(menu(Cmd::NewTravel));
        QVERIFY2(prompter().dialogs.isEmpty(), "the wizard was not opened");
        QCOMPARE(m_store->TravelKeys().size(), 1);
        m_travel = m_store->TravelKeys().first();
        // The travel starts in the month shown: the tree lists it at once.
        CHECKED(showTravelDetail());
    }

    void twoStages()
    {
        CHECKED(openTravel());
        CHECKED(clickNode(childNode(TreeNodeKind::Stages)));
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::StageList);
        const auto stageAnswer = [](const QString& title, const QString& place, QDate date,
                                    const QString& notes) {
            return [=](QDialog* dialog) {
                if (dialog->objectName() != IdName(Dialog::StageDlg))
                    return int(QDialog::Rejected);
                typeOver(control<QLineEdit>(dialog, Control::Title), title);
                typeOver(control<QLineEdit>(dialog, Control::Place), place);
                typeMoment(control<QDateEdit>(dialog, Control::Date), date.startOfDay());
                QTest::keyClicks(control<QPlainTextEdit>(dialog, Control::Notes), notes);
                return pressButton(Control::Ok)(dialog);
            };
        };
        prompter().dialogs = {stageAnswer(QStringLiteral("Alfama"), QStringLiteral("Old town"),
                                          QDate(2006, 3, 11), QStringLiteral("Walk uphill"))};
        CHECKED(menu(Cmd::NewStage));
        prompter().dialogs = {stageAnswer(QStringLiteral("Sintra"), QStringLiteral("Palace hill"),
                                          QDate(2006, 3, 12), QStringLiteral("Early train"))};
        CHECKED(menu(Cmd::NewStage));
        QVERIFY2(prompter().dialogs.isEmpty(), "a stage dialog was not opened");
        QCOMPARE(m_store->CountStages(m_travel), 2);
        const QList<RecordKey> stages = m_store->StagesOf(m_travel);
        m_alfama = stages[0];
        m_sintra = stages[1];
    }

    void anAppointment()
    {
        CHECKED(clickNode(stageNode(QStringLiteral("Alfama"))));
        CStageDetailListView* detail = upper<CStageDetailListView>();
        QVERIFY2(detail, "the stage's detail is not shown");
        prompter().dialogs = {[](QDialog* dialog) {
            if (dialog->objectName() != IdName(Dialog::AppointmentDlg))
                return int(QDialog::Rejected);
            typeOver(control<QLineEdit>(dialog, Control::Subject), QStringLiteral("Fado dinner"));
            typeOver(control<QLineEdit>(dialog, Control::Location),
                     QStringLiteral("Clube de Fado"));
            typeMoment(control<QDateTimeEdit>(dialog, Control::Date), fadoNight);
            return pressButton(Control::Ok)(dialog);
        }};
        CHECKED(menu(Cmd::AppointmentNew));
        QVERIFY2(prompter().dialogs.isEmpty(), "the appointment dialog was not opened");
    }

    void aCheckList()
    {
        CHECKED(clickNode(childNode(TreeNodeKind::CheckList)));
        CChekListView* view = upper<CChekListView>();
        QVERIFY2(view, "the check list is not shown");
        // "Passport", the master list's first entry, ticked with the Space key.
        prompter().dialogs = {[](QDialog* dialog) {
            auto* rows = control<QListWidget>(dialog, Control::ImportItems);
            if (!rows || rows->item(0)->text() != QLatin1String("Passport"))
                return int(QDialog::Rejected);
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_Home);
            QTest::keyClick(rows, Qt::Key_Space);
            return pressButton(Control::Ok)(dialog);
        }};
        CHECKED(menu(Cmd::CheckListImport));
        QVERIFY2(prompter().dialogs.isEmpty(), "the import dialog was not opened");

        // A new entry typed in its row, then ticked with Space.
        CHECKED(menu(Cmd::CheckListNew));
        auto* editor = qobject_cast<QLineEdit*>(view->openEditor());
        QVERIFY2(editor, "no editor opened on the new entry");
        QTest::keyClicks(editor, QStringLiteral("Plug adapter"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY2(!view->openEditor(), "the editor stayed open");
        QTest::keyClick(view->list(), Qt::Key_Space);
    }

    // Types one expense in the row that New Expense opened, from cell to cell with the keys.
    void typeExpense(CExpenseListView* view, const QString& product, const QString& quantity,
                     const QString& price)
    {
        CListCtrl* list = view->list();
        auto* editor = qobject_cast<QLineEdit*>(view->openEditor());
        QVERIFY2(editor, "no editor opened on the new expense");
        QTest::keyClicks(editor, product);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY2(view->openEditor(), "no editor opened on the quantity");
        QTest::keyClicks(view->openEditor(), quantity);
        QTest::keyClick(view->openEditor(), Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Right);
        QCOMPARE(list->currentIndex().column(), int(ExpenseModel::PricePerUnit));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY2(view->openEditor(), "no editor opened on the price");
        QTest::keyClicks(view->openEditor(), price);
        QTest::keyClick(view->openEditor(), Qt::Key_Return);
        QVERIFY2(!view->openEditor(), "the price editor stayed open");
    }

    void threeExpenses()
    {
        CHECKED(clickNode(childNode(TreeNodeKind::Expenses)));
        CExpenseListView* view = upper<CExpenseListView>();
        QVERIFY2(view, "the expense list is not shown");
        CHECKED(menu(Cmd::ExpenseNew));
        CHECKED(typeExpense(view, QStringLiteral("Train"), QStringLiteral("2"),
                            QStringLiteral("35.50")));
        // The train is bought: Space on its row.
        QTest::keyClick(view->list(), Qt::Key_Space);
        CHECKED(menu(Cmd::ExpenseNew));
        CHECKED(
            typeExpense(view, QStringLiteral("Hotel"), QStringLiteral("4"), QStringLiteral("80")));
        CHECKED(menu(Cmd::ExpenseNew));
        CHECKED(typeExpense(view, QStringLiteral("Museum"), QStringLiteral("1"),
                            QStringLiteral("12.25")));
    }

    void aPictureCategoryWithAPicture()
    {
        CHECKED(showTravelDetail());
        CImagesView* view = images();
        QCOMPARE(view->travelKey(), m_travel);
        auto* addCategory = control<QAbstractButton>(view, ImagesViewControl::AddCategory);
        QVERIFY2(addCategory->isEnabled(), "Add Category is disabled");
        QTest::mouseClick(addCategory, Qt::LeftButton);
        auto* name = control<QLineEdit>(view, ImagesViewControl::CategoryName);
        QVERIFY2(name->isVisibleTo(view), "no box for the category's name");
        QTest::keyClicks(name, QStringLiteral("Sights"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY2(!view->isEditingCategory(), "the category's name was not taken");

        const QString picture = m_picture;
        prompter().dialogs = {[this, picture](QDialog* dialog) {
            prompter().openNames.append(picture);
            control<QAbstractButton>(dialog, SelectImageControl::BrowsePicture)->click();
            typeOver(control<QLineEdit>(dialog, SelectImageControl::DisplayTitle),
                     QStringLiteral("Belem tower"));
            return pressButton(Control::Ok)(dialog);
        }};
        auto* addImage = control<QAbstractButton>(view, ImagesViewControl::AddImage);
        QVERIFY2(addImage->isEnabled(), "Add Image is disabled");
        QTest::mouseClick(addImage, Qt::LeftButton);
        QVERIFY2(prompter().dialogs.isEmpty(), "the Select Image dialog was not opened");
    }

    // The tree and the images pane show the trip as the user left it.
    void theWindowShowsTheTrip()
    {
        QVERIFY2(travelNode().isValid(), "the travel is not in the tree");
        QCOMPARE(travelNode().data().toString(), tripTitle);
        CHECKED(openTravel());
        QCOMPARE(childNode(TreeNodeKind::CheckList).data().toString(),
                 QStringLiteral("Check List [1/2]"));
        QCOMPARE(childNode(TreeNodeKind::Expenses).data().toString(),
                 QStringLiteral("Expenses [1/3] - $71.00"));
        // The stages, their appointments and the expense lines: the files hold them.
        QCOMPARE(images()->travelKey(), m_travel);
        QCOMPARE(images()->categories()->currentText(), QStringLiteral("Sights"));
        QCOMPARE(control<QLabel>(images(), ImagesViewControl::ImageCaption)->text(),
                 QStringLiteral("Belem tower"));
    }

    void restartOnTheSameFolder()
    {
        QVERIFY2(m_frame->close(), "the window did not close");
        delete m_frame; // the program has ended
        QVERIFY(!m_run->app.mainFrame());
        m_restart = std::make_unique<WindowRestart>(*m_run);
        m_restart->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        m_prompter = &m_restart->prompter;
        m_store = &m_restart->store;
        CHECKED(startWindow(m_restart->startOnFolder(QDate(2006, 3, 1))));
        CHECKED(theWindowShowsTheTrip());
    }

    // The files as a new store reads them, and the command line's check of the folder.
    void theFilesHoldTheTrip()
    {
        QVERIFY2(m_frame->close(), "the window did not close");
        TravelDataStore disk;
        disk.setWorkingDirectory(m_run->dir.path());
        disk.setImagesFolder(imagesFolder());
        QVERIFY(disk.Refresh().ok());
        QVERIFY2(disk.problems().isEmpty(), "the store found bad files");
        QCOMPARE(disk.TravelKeys(), QList<RecordKey>{m_travel});
        const TravelRecord travel = disk.GetTravel(m_travel);
        QCOMPARE(QStringList({travel.title, travel.from, travel.destination, travel.mode,
                              travel.type, travel.priority, travel.status, travel.ticketNo,
                              travel.seatNo, travel.notes}),
                 QStringLiteral("Lisbon in spring|Porto|Lisbon|Train|Personal|High|Planned|TK "
                                "1042|14C|Pack light\r\nBook the fado early")
                     .split(u'|'));
        QCOMPARE(travel.start.date(), firstDay);
        QCOMPARE(travel.end.date(), lastDay);

        QCOMPARE(disk.StagesOf(m_travel), (QList<RecordKey>{m_alfama, m_sintra}));
        const StageRecord alfama = disk.GetStage(m_alfama);
        QCOMPARE(QStringList({alfama.title, alfama.place, alfama.notes}),
                 QStringLiteral("Alfama|Old town|Walk uphill").split(u'|'));
        QCOMPARE(alfama.date.date(), QDate(2006, 3, 11));
        QCOMPARE(disk.GetStage(m_sintra).date.date(), QDate(2006, 3, 12));
        QVERIFY(disk.LoadAppointments(m_sintra).isEmpty());

        AppointmentRecord fado(DateTimeValue::fromDateTime(fadoNight));
        fado.subject = QStringLiteral("Fado dinner");
        fado.location = QStringLiteral("Clube de Fado");
        fado.notes = QStringLiteral("Walk uphill");
        QCOMPARE(disk.LoadAppointments(m_alfama), QList<AppointmentRecord>{fado});

        QCOMPARE(disk.LoadCheckList(m_travel),
                 (QList<CheckListItem>{{QStringLiteral("Plug adapter"), 1},
                                       {QStringLiteral("Passport"), 0}}));
        const QList<ExpenseRecord> lines = disk.LoadExpenses(m_travel);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], (ExpenseRecord{QStringLiteral("Train"), 2, QString(), 35.5, 71, 1}));
        QCOMPARE(lines[1], (ExpenseRecord{QStringLiteral("Hotel"), 4, QString(), 80, 320, 0}));
        QCOMPARE(lines[2],
                 (ExpenseRecord{QStringLiteral("Museum"), 1, QString(), 12.25, 12.25, 0}));

        QCOMPARE(categoryFile(), QStringList{QStringLiteral("Sights|Belem tower=tower.png")});
    }

private slots:
    void init()
    {
        m_run = std::make_unique<WindowFixture>();
        m_prompter = &m_run->prompter;
        m_store = &m_run->store;
        m_picture =
            QDir(m_run->folder(QStringLiteral("photos"))).filePath(QStringLiteral("tower.png"));
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_picture));
        m_run->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        CHECKED(startWindow(m_run->startOnFolder(QDate(2006, 3, 1))));
    }

    void cleanup()
    {
        for (const ScriptedPrompter* run : {&m_run->prompter, m_prompter})
            QVERIFY2(run->unexpected.isEmpty(), qPrintable(run->unexpected.join(u',')));
        m_restart.reset();
        m_run.reset();
    }

    void aWholeTripSurvivesARestart()
    {
        STEP(newTravelInTheWizard);
        STEP(twoStages);
        STEP(anAppointment);
        STEP(aCheckList);
        STEP(threeExpenses);
        STEP(aPictureCategoryWithAPicture);
        STEP(restartOnTheSameFolder);
        STEP(theFilesHoldTheTrip);
    }
};

QTEST_MAIN(WholeTripTest)
#include "tst_wholetrip.moc"
