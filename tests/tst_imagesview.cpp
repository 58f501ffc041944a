#include "GuiKit.h"
#include "ImageLinkList.h"
#include "ImagePreview.h"
#include "ImagesView.h"
#include "SelectImageDlg.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include <sys/stat.h>

// The images view and the Select Image dialog in the real window: categories, images, the
// dialog's answers, and what reaches the travel's category file.
class ImagesViewTest : public WindowTest {
    Q_OBJECT

private:
    CImagesView* m_view = nullptr;
    RecordKey m_lisbon;
    RecordKey m_rome;
    QString m_one;
    QString m_two;
    QString m_three;

    template <typename Widget = QWidget> Widget* part(ImagesViewControl id) const
    {
        Widget* found = control<Widget>(m_view, id);
        if (!found)
            qFatal("no control %s", qPrintable(IdName(id)));
        return found;
    }

    void click(ImagesViewControl id)
    {
        auto* button = part<QAbstractButton>(id);
        QVERIFY2(button->isEnabled(), qPrintable(IdName(id)));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void showTravel(const RecordKey& key)
    {
        m_frame->tree()->selectPath(key, TreeChild::CheckList, QString());
        QCOMPARE(m_view->travelKey(), key);
    }

    // Answers the Select Image dialog as a user would: "..." picks the file, a title is
    // typed, OK.
    std::function<int(QDialog*)> choose(const QString& file, const QString& title)
    {
        return [this, file, title](QDialog* dialog) {
            prompter().openNames.append(file);
            control<QAbstractButton>(dialog, SelectImageControl::BrowsePicture)->click();
            auto* titleBox = control<QLineEdit>(dialog, SelectImageControl::DisplayTitle);
            titleBox->selectAll();
            QTest::keyClicks(titleBox, title);
            return pressButton(Control::Ok)(dialog);
        };
    }

    void addCategory(const QString& name)
    {
        click(ImagesViewControl::AddCategory);
        auto* edit = part<QLineEdit>(ImagesViewControl::CategoryName);
        QVERIFY(edit->isVisibleTo(m_view));
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!m_view->isEditingCategory());
    }

    void addImage(const QString& file, const QString& title)
    {
        prompter().dialogs.append(choose(file, title));
        click(ImagesViewControl::AddImage);
    }

    // The travel's category file as another program reads it: one line per category, its
    // name, then title=path of each link.
    QStringList categoryFile(const RecordKey& key) const
    {
        return readCategoryFile(m_run->app.imagesFolder(), key);
    }

    QString categoryFilePath(const RecordKey& key) const
    {
        return QDir(m_run->app.imagesFolder()).filePath(QStringLiteral("Images%1.img").arg(key));
    }

    QString caption() const { return part<QLabel>(ImagesViewControl::ImageCaption)->text(); }

    bool enabled(ImagesViewControl id) const { return part<QWidget>(id)->isEnabled(); }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_lisbon = addTitledTravel(*data, at(2006, 3, 3), QStringLiteral("Lisbon"));
            m_rome = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Rome"));
        });
        const QString pictures = m_run->folder(QStringLiteral("photos"));
        m_one = QDir(pictures).filePath(QStringLiteral("one.png"));
        m_two = QDir(pictures).filePath(QStringLiteral("two.jpg"));
        m_three = QDir(pictures).filePath(QStringLiteral("three.bmp"));
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(m_one));
        QVERIFY(picture.save(m_two));
        QVERIFY(picture.scaled(40, 30).save(m_three));
        startWindow(QDate(2006, 3, 1));
        m_view = m_frame->imagesView();
        QVERIFY(m_view);
        showTravel(m_lisbon);
    }

    void cleanup() { endRun(); }

    void addingAndRemovingImages()
    {
        // Without categories only Add Category is offered, and looking writes nothing.
        QVERIFY(enabled(ImagesViewControl::AddCategory));
        for (ImagesViewControl id :
             {ImagesViewControl::RenameCategory, ImagesViewControl::DeleteCategory,
              ImagesViewControl::PreviousImage, ImagesViewControl::AddImage,
              ImagesViewControl::ChangeImage, ImagesViewControl::RemoveImage,
              ImagesViewControl::NextImage})
            QVERIFY2(!enabled(id), qPrintable(IdName(id)));
        QCOMPARE(m_view->categories()->count(), 0);
        QVERIFY(m_view->preview()->showsHelpText());
        showTravel(m_rome);
        QVERIFY(!QFileInfo::exists(categoryFilePath(m_lisbon)));
        showTravel(m_lisbon);

        addCategory(QStringLiteral("Hotels"));
        addImage(m_one, QStringLiteral("One"));
        addImage(m_two, QStringLiteral("Two"));
        addImage(m_three, QStringLiteral("Three"));
        QCOMPARE(m_view->imageList()->markedRow(), 2);
        QCOMPARE(caption(), QStringLiteral("Three"));
        QVERIFY(enabled(ImagesViewControl::PreviousImage));
        QVERIFY(!enabled(ImagesViewControl::NextImage));
        QCOMPARE(categoryFile(m_lisbon),
                 QStringList{QStringLiteral("Hotels|One=one.png|Two=two.jpg|Three=three.bmp")});
        // The small picture is shown at its own size, centred.
        CImagePreview* preview = m_view->preview();
        QVERIFY(preview->picture());
        QCOMPARE(preview->pictureRect().size(), QSize(40, 30));
        QVERIFY((preview->pictureRect().center() - preview->rect().center()).manhattanLength() <=
                2);

        // Removing the last makes the second current.
        prompter().answers = {true};
        click(ImagesViewControl::RemoveImage);
        QCOMPARE(m_view->imageList()->markedRow(), 1);
        QCOMPARE(caption(), QStringLiteral("Two"));
        QCOMPARE(preview->picture()->path(), m_two);

        // No: nothing changes.
        prompter().answers = {false};
        click(ImagesViewControl::RemoveImage);
        QCOMPARE(m_view->linkModel().rowCount(), 2);

        // Removing the first keeps the row, now the former second.
        click(ImagesViewControl::PreviousImage);
        prompter().answers = {true, true};
        click(ImagesViewControl::RemoveImage);
        QCOMPARE(m_view->currentRow(), 0);
        QCOMPARE(caption(), QStringLiteral("Two"));
        click(ImagesViewControl::RemoveImage);
        QCOMPARE(m_view->currentRow(), -1);
        QVERIFY(!preview->picture());
        QVERIFY(preview->showsHelpText());
        QVERIFY(caption().isEmpty());
        QVERIFY(!enabled(ImagesViewControl::RemoveImage));
        QCOMPARE(categoryFile(m_lisbon), QStringList{QStringLiteral("Hotels")});
    }

    void thumbnailsArriveWithoutBlockingAndOnlyOnce()
    {
        addCategory(QStringLiteral("Places"));
        addImage(m_one, QStringLiteral("One"));
        addImage(m_two, QStringLiteral("Two"));
        CImageLinkList* list = m_view->imageList();
        (void)list->viewport()->grab();
        m_view->thumbnails().waitForDone();
        const QModelIndex first = m_view->linkModel().index(0, 0);
        const QImage thumbnail = first.data(ImageLinkModel::ThumbnailRole).value<QImage>();
        QVERIFY(!thumbnail.isNull());
        QCOMPARE(thumbnail.height(), 50); // the band between title and path
        const int reads = m_view->thumbnails().readCount();
        (void)list->viewport()->grab();
        m_view->resize(m_view->width() + 40, m_view->height());
        (void)list->viewport()->grab();
        QCOMPARE(m_view->thumbnails().readCount(), reads);
    }

    void renamingMovesACategoryToTheEndAndDeletingAsksFirst()
    {
        addCategory(QStringLiteral("Tickets"));
        addImage(m_one, QStringLiteral("Boarding pass"));
        addCategory(QStringLiteral("Hotels"));
        addCategory(QStringLiteral("Places"));
        m_view->categories()->setCurrentIndex(0);
        QCOMPARE(caption(), QStringLiteral("Boarding pass"));

        // Rename: the name in the box, all selected; the category moves to the end.
        click(ImagesViewControl::RenameCategory);
        auto* edit = part<QLineEdit>(ImagesViewControl::CategoryName);
        QCOMPARE(edit->selectedText(), QStringLiteral("Tickets"));
        QTest::keyClicks(edit, QStringLiteral("Travel papers"));
        click(ImagesViewControl::SaveCategory);
        QCOMPARE(m_view->categories()->currentText(), QStringLiteral("Travel papers"));
        QCOMPARE(caption(), QStringLiteral("Boarding pass"));
        QCOMPARE(categoryFile(m_lisbon),
                 (QStringList{QStringLiteral("Travel papers|Boarding pass=one.png"),
                              QStringLiteral("Hotels"), QStringLiteral("Places")}));

        // A blank name saves nothing; Escape leaves the box as it was.
        click(ImagesViewControl::AddCategory);
        QTest::keyClicks(edit, QStringLiteral("   "));
        QVERIFY(!enabled(ImagesViewControl::SaveCategory));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_view->categories()->count(), 3);
        click(ImagesViewControl::RenameCategory);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!m_view->isEditingCategory());
        QCOMPARE(m_view->categories()->currentText(), QStringLiteral("Travel papers"));

        // Delete: No keeps it, Yes removes it with its images.
        m_view->categories()->setCurrentIndex(1);
        prompter().answers = {false};
        click(ImagesViewControl::DeleteCategory);
        QCOMPARE(m_view->categories()->count(), 3);
        m_view->categories()->setCurrentIndex(2);
        prompter().answers = {true};
        click(ImagesViewControl::DeleteCategory);
        // Nothing stands where it stood: no category is selected.
        QCOMPARE(m_view->categories()->currentIndex(), -1);
        QVERIFY(!enabled(ImagesViewControl::AddImage));
        QCOMPARE(categoryFile(m_lisbon),
                 (QStringList{QStringLiteral("Hotels"), QStringLiteral("Places")}));
        m_view->categories()->setCurrentIndex(0);
        prompter().answers = {true};
        click(ImagesViewControl::DeleteCategory);
        QCOMPARE(m_view->categories()->currentText(), QStringLiteral("Places"));
    }

    void switchingTravelsKeepsWhatTheUserDid()
    {
        addCategory(QStringLiteral("Hotels"));
        addImage(m_one, QStringLiteral("Lisbon hotel"));
        showTravel(m_rome);
        addCategory(QStringLiteral("Museums"));
        addImage(m_two, QStringLiteral("Vatican"));
        addImage(m_three, QStringLiteral("Forum"));
        showTravel(m_lisbon);
        QCOMPARE(column(m_view->categories()->model()), QStringList{QStringLiteral("Hotels")});
        QCOMPARE(caption(), QStringLiteral("Lisbon hotel"));
        showTravel(m_rome);
        QCOMPARE(column(m_view->categories()->model()), QStringList{QStringLiteral("Museums")});
        QCOMPARE(categoryFile(m_lisbon),
                 QStringList{QStringLiteral("Hotels|Lisbon hotel=one.png")});
        QCOMPARE(categoryFile(m_rome),
                 QStringList{QStringLiteral("Museums|Vatican=two.jpg|Forum=three.bmp")});
    }

    void theSelectImageDialogWaitsForAFile()
    {
        CSelectImageDlg dialog(prompter(), QString(), QString(), m_frame);
        auto* ok = control<QPushButton>(&dialog, Control::Ok);
        QVERIFY(!ok->isEnabled());
        // The placeholder shows before a choice.
        QVERIFY(dialog.preview()->picture());
        // Cancelled picker: still nothing.
        prompter().openNames = {QString()};
        control<QAbstractButton>(&dialog, SelectImageControl::BrowsePicture)->click();
        QVERIFY(!ok->isEnabled());
        QCOMPARE(prompter().openFilters.last(), CSelectImageDlg::FileFilter());
        // A file: its path, its picture, its name as the title, and OK.
        prompter().openNames = {m_two};
        control<QAbstractButton>(&dialog, SelectImageControl::BrowsePicture)->click();
        QVERIFY(ok->isEnabled());
        QCOMPARE(control<QLineEdit>(&dialog, SelectImageControl::PicturePath)->text(), m_two);
        QVERIFY(control<QLineEdit>(&dialog, SelectImageControl::PicturePath)->isReadOnly());
        QCOMPARE(dialog.preview()->picture()->path(), m_two);
        QCOMPARE(dialog.displayTitle(), QStringLiteral("two"));
        // A file that is no picture can be chosen; the help text shows instead.
        const QString notes = m_run->dir.filePath(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(notes, "plans"));
        prompter().openNames = {notes};
        control<QAbstractButton>(&dialog, SelectImageControl::BrowsePicture)->click();
        QVERIFY(ok->isEnabled());
        QVERIFY(dialog.preview()->showsHelpText());
        QCOMPARE(dialog.displayTitle(), QStringLiteral("two"));

        // Opened on an image to change: its values, OK at once.
        CSelectImageDlg change(prompter(), QStringLiteral("Two"), m_two, m_frame);
        QVERIFY(control<QPushButton>(&change, Control::Ok)->isEnabled());
        QCOMPARE(change.displayTitle(), QStringLiteral("Two"));
    }

    void theListsMenusMouseAndKeys()
    {
        addCategory(QStringLiteral("Hotels"));
        addImage(m_one, QStringLiteral("One"));
        addImage(m_two, QStringLiteral("Two"));
        CImageLinkList* list = m_view->imageList();
        m_view->resize(900, 420);
        QApplication::processEvents();

        // A click makes a row current.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, 0));
        QCOMPARE(caption(), QStringLiteral("One"));

        // Right click on a row: that row, and the Add / Mod / Del menu.
        QContextMenuEvent onRow(QContextMenuEvent::Mouse, cellCentre(list, 1),
                                list->viewport()->mapToGlobal(cellCentre(list, 1)));
        QApplication::sendEvent(list->viewport(), &onRow);
        QVERIFY(list->rowMenu()->isVisible());
        QCOMPARE(m_view->currentRow(), 1);
        QCOMPARE(list->rowMenu()->actions().size(), 3);
        prompter().dialogs.append(choose(m_three, QStringLiteral("Two small")));
        list->rowMenu()->findChild<QAction*>(QStringLiteral("ImageList32846"))->trigger();
        list->rowMenu()->hide();
        QCOMPARE(caption(), QStringLiteral("Two small"));
        QCOMPARE(m_view->preview()->picture()->path(), m_three);

        // Below the rows: only Add.
        const QPoint below(10, list->viewport()->height() - 3);
        QContextMenuEvent offRows(QContextMenuEvent::Mouse, below,
                                  list->viewport()->mapToGlobal(below));
        QApplication::sendEvent(list->viewport(), &offRows);
        QVERIFY(list->emptyMenu()->isVisible());
        QCOMPARE(list->emptyMenu()->actions().size(), 1);
        list->emptyMenu()->hide();

        // Keys: Up moves, Enter changes, Delete removes.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(m_view->currentRow(), 0);
        prompter().dialogs.append(pressButton(Control::Cancel));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(prompter().dialogs.size(), 0);
        prompter().answers = {true};
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(m_view->linkModel().rowCount(), 1);
        QCOMPARE(categoryFile(m_lisbon), QStringList{QStringLiteral("Hotels|Two small=three.bmp")});

        // A double click changes the image.
        prompter().dialogs.append(pressButton(Control::Cancel));
        doubleClickCell(list, 0);
        QCOMPARE(prompter().dialogs.size(), 0);
    }

    void picturesThatCannotBeReadKeepTheirRows()
    {
        const QString fifo = m_run->dir.filePath(QStringLiteral("pipe.jpg"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString missing = m_run->dir.filePath(QStringLiteral("missing.png"));
        addCategory(QStringLiteral("Odd"));
        addImage(fifo, QStringLiteral("Pipe"));
        addImage(missing, QStringLiteral("Gone"));
        QCOMPARE(caption(), QStringLiteral("Gone"));
        QVERIFY(!m_view->preview()->picture());
        QVERIFY(m_view->preview()->showsHelpText());
        QVERIFY(enabled(ImagesViewControl::RemoveImage));
        QCOMPARE(categoryFile(m_lisbon),
                 QStringList{QStringLiteral("Odd|Pipe=pipe.jpg|Gone=missing.png")});
        // Linked where another computer keeps the working directory: found in this one.
        addImage(QStringLiteral("/elsewhere/Trips/photos/one.png"), QStringLiteral("Synced"));
        QVERIFY(m_view->preview()->picture());
    }

    void aFailedWriteIsReportedAndTriedAgain()
    {
        // The folder for category files is taken by a file.
        const QString folder = m_run->app.imagesFolder();
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(writeFile(folder, "in the way"));
        addCategory(QStringLiteral("Hotels"));
        QCOMPARE(prompter().informed.size(), 1);
        QVERIFY2(prompter().informed.last().contains(categoryFilePath(m_lisbon)),
                 qPrintable(prompter().informed.last()));
        // Once the way is clear, the next change of travel writes it.
        QVERIFY(QFile::remove(folder));
        showTravel(m_rome);
        QCOMPARE(prompter().informed.size(), 1);
        QCOMPARE(categoryFile(m_lisbon), QStringList{QStringLiteral("Hotels")});
    }

    void theFormFollowsTheSizeOfThePane()
    {
        CImagesView view(m_run->store, prompter());
        const auto geometry = [&view](ImagesViewControl id) {
            return control<QWidget>(&view, id)->geometry();
        };
        view.resize(1000, 400);
        view.show();
        QApplication::processEvents();
        // The picture fills the left half, the list the right one; the label stays readable.
        QCOMPARE(geometry(ImagesViewControl::ImagePreview), QRect(5, 5, 495, 355));
        QCOMPARE(geometry(ImagesViewControl::ImageList), QRect(535, 30, 450, 325));
        QVERIFY(geometry(ImagesViewControl::CategoryLabel).width() >= 50);

        // Smaller than the form: the pane scrolls, the form keeps its least size.
        view.resize(300, 200);
        QApplication::processEvents();
        QCOMPARE(view.widget()->size(), QSize(500, 320));
        QVERIFY(view.verticalScrollBar()->maximum() > 0);
        QVERIFY(view.horizontalScrollBar()->maximum() > 0);
        QCOMPARE(geometry(ImagesViewControl::NextImage), QRect(432, 280, 28, 20));
    }
};

QTEST_MAIN(ImagesViewTest)
#include "tst_imagesview.moc"
