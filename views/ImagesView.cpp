#include "ImagesView.h"

#include "Bitmaps.h"
#include "ControlIds.h"
#include "GuiKit.h"
#include "ImageLinkList.h"
#include "ImagePreview.h"
#include "PictureButton.h"
#include "PicturePlace.h"
#include "Prompter.h"
#include "SelectImageDlg.h"
#include "TravelDataStore.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QThread>

namespace {

// Thumbnails are small: a few thousand of them stay read.
constexpr qint64 ThumbnailCacheBytes = qint64(64) * 1024 * 1024;

// The form needs at least this much room; a smaller pane scrolls.
constexpr int MinimumFormWidth = 500;
constexpr int MinimumFormHeight = 320;

// Lists the categories that the store reads into the drop-down list.
class ComboDropDown : public CategoryDropDown {
public:
    explicit ComboDropDown(QComboBox* box) : m_box(box) {}
    void clear() override { m_box->clear(); }
    void append(const QString& name, int categoryNumber) override
    {
        m_box->addItem(name, categoryNumber);
    }

private:
    QComboBox* m_box;
};

} // namespace

CImagesView::CImagesView(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QScrollArea(parent), m_store(store), m_prompter(prompter),
      m_thumbnails(qMax(1, QThread::idealThreadCount()), ThumbnailCacheBytes),
      m_model(&m_thumbnails), m_form(new QWidget)
{
    WithControlId(this, Dialog::ImagesView);
    GuiDrawLayer::ApplyFace(this);
    GuiDrawLayer::ApplyFace(m_form);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);

    // Made in the order the Tab key visits them.
    m_preview = WithControlId(new CImagePreview(CImagePreview::EmptyText::ImagesView, m_form),
                              ImagesViewControl::ImagePreview);
    m_caption =
        WithControlId(new QLabel(QStringLiteral("Show"), m_form), ImagesViewControl::ImageCaption);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setTextFormat(Qt::PlainText);
    m_categoryLabel = WithControlId(new QLabel(QStringLiteral("Category"), m_form),
                                    ImagesViewControl::CategoryLabel);
    m_categoryLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_categories = WithControlId(new CGuiComboBoxExt(m_form), ImagesViewControl::Categories);
    m_categories->setAccessibleName(QStringLiteral("Category"));
    m_categories->setMaxVisibleItems(12);
    m_categoryLabel->setBuddy(m_categories);
    m_categoryName = WithControlId(new CGuiEdit(m_form), ImagesViewControl::CategoryName);
    m_categoryName->setAccessibleName(QStringLiteral("Category name"));
    m_categoryName->installEventFilter(this);
    const auto button = [this](ImagesViewControl id, int picture, int disabled,
                               const QString& tip) {
        return WithControlId(new CPictureButton(picture, disabled, tip, m_form), id);
    };
    m_addCategory = button(ImagesViewControl::AddCategory, Bitmaps::AddCategory,
                           Bitmaps::AddCategoryDisabled, QStringLiteral("Add Category"));
    m_renameCategory = button(ImagesViewControl::RenameCategory, Bitmaps::RenameCategory,
                              Bitmaps::RenameCategoryDisabled, QStringLiteral("Rename Category"));
    m_deleteCategory = button(ImagesViewControl::DeleteCategory, Bitmaps::DeleteCategory,
                              Bitmaps::DeleteCategoryDisabled, QStringLiteral("Delete Category"));
    m_saveCategory = button(ImagesViewControl::SaveCategory, Bitmaps::SaveCategoryEdit,
                            Bitmaps::SaveCategoryEditDisabled, QStringLiteral("Save Category"));
    m_cancelCategory =
        button(ImagesViewControl::CancelCategory, Bitmaps::CancelCategoryEdit,
               Bitmaps::CancelCategoryEditDisabled, QStringLiteral("Cancel Category Edit"));
    m_list = new CImageLinkList(m_form);
    m_list->setLinkModel(&m_model);
    m_previousImage = button(ImagesViewControl::PreviousImage, Bitmaps::PreviousImage,
                             Bitmaps::PreviousImageDisabled, QStringLiteral("Previous Image"));
    m_addImage = button(ImagesViewControl::AddImage, Bitmaps::AddImage, Bitmaps::AddImageDisabled,
                        QStringLiteral("Add Image"));
    m_changeImage = button(ImagesViewControl::ChangeImage, Bitmaps::ChangeImage,
                           Bitmaps::ChangeImageDisabled, QStringLiteral("Change Image"));
    m_removeImage = button(ImagesViewControl::RemoveImage, Bitmaps::RemoveImage,
                           Bitmaps::RemoveImageDisabled, QStringLiteral("Remove Image"));
    m_nextImage = button(ImagesViewControl::NextImage, Bitmaps::NextImage,
                         Bitmaps::NextImageDisabled, QStringLiteral("Next Image"));

    connect(m_categories, &QComboBox::currentIndexChanged, this, &CImagesView::categoryChosen);
    connect(m_categoryName, &QLineEdit::textChanged, this, &CImagesView::updateButtons);
    connect(m_categoryName, &QLineEdit::returnPressed, this, &CImagesView::saveCategoryEdit);
    connect(m_addCategory, &QAbstractButton::clicked, this, &CImagesView::addCategory);
    connect(m_renameCategory, &QAbstractButton::clicked, this, &CImagesView::renameCategory);
    connect(m_deleteCategory, &QAbstractButton::clicked, this, &CImagesView::deleteCategory);
    connect(m_saveCategory, &QAbstractButton::clicked, this, &CImagesView::saveCategoryEdit);
    connect(m_cancelCategory, &QAbstractButton::clicked, this, &CImagesView::cancelCategoryEdit);
    connect(m_previousImage, &QAbstractButton::clicked, this, &CImagesView::previousImage);
    connect(m_addImage, &QAbstractButton::clicked, this, &CImagesView::addImage);
    connect(m_changeImage, &QAbstractButton::clicked, this, &CImagesView::changeImage);
    connect(m_removeImage, &QAbstractButton::clicked, this, &CImagesView::removeImage);
    connect(m_nextImage, &QAbstractButton::clicked, this, &CImagesView::nextImage);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CImagesView::rowPicked);
    connect(m_list, &QAbstractItemView::activated, this, &CImagesView::changeImage);
    connect(m_list, &CImageLinkList::commandChosen, this, &CImagesView::listCommand);

    setWidget(m_form);
    m_categoryName->hide();
    m_saveCategory->hide();
    m_cancelCategory->hide();
    updateButtons();
    layoutForm();
}

CImagesView::~CImagesView()
{
    // The list and the preview go before the model and the loader they draw from.
    delete takeWidget();
}

// Layout

bool CImagesView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        layoutForm();
    return QScrollArea::viewportEvent(event);
}

void CImagesView::layoutForm()
{
    const QSize client = viewport()->size();
    const int height = qMax(client.height(), MinimumFormHeight);
    const int half = qMax(client.width(), MinimumFormWidth) / 2;
    const int x0 = half + 10;
    const int xc = x0 + (half - 227) / 2;
    const int xn = x0 + (half - 130) / 2;
    m_form->resize(qMax(client.width(), MinimumFormWidth), height);
    m_preview->setGeometry(5, 5, half - 5, height - 45);
    m_caption->setGeometry(5, height - 40, half - 8, 20);
    // The label ends where the list box begins; a font that needs more room than the 50
    // pixels it has grows it to the left.
    const int labelWidth =
        qMax(50, m_categoryLabel->fontMetrics().horizontalAdvance(m_categoryLabel->text()) + 4);
    m_categoryLabel->setGeometry(xc + 45 - labelWidth, 5, labelWidth, 20);
    // The boxes keep the height their style needs, centred on the buttons' row.
    const int boxHeight = qMax(20, m_categories->sizeHint().height());
    const int boxTop = 5 - (boxHeight - 20) / 2;
    m_categories->setGeometry(xc + 50, boxTop, 100, boxHeight);
    m_categoryName->setGeometry(xc + 50, boxTop, 100, boxHeight);
    m_addCategory->setGeometry(xc + 153, 5, 28, 20);
    m_saveCategory->setGeometry(xc + 153, 5, 28, 20);
    m_renameCategory->setGeometry(xc + 181, 5, 28, 20);
    m_cancelCategory->setGeometry(xc + 181, 5, 28, 20);
    m_deleteCategory->setGeometry(xc + 209, 5, 28, 20);
    m_list->setGeometry(x0 + 25, 30, x0 - 60, height - 75);
    m_list->setRowWidth(x0 - 82);
    const int buttonsTop = height - 40;
    m_previousImage->setGeometry(xn, buttonsTop, 28, 20);
    m_addImage->setGeometry(xn + 28, buttonsTop, 28, 20);
    m_changeImage->setGeometry(xn + 56, buttonsTop, 28, 20);
    m_removeImage->setGeometry(xn + 84, buttonsTop, 28, 20);
    m_nextImage->setGeometry(xn + 112, buttonsTop, 28, 20);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

// Showing a travel

void CImagesView::showTravel(const RecordKey& travelKey)
{
    if (m_closed)
        return;
    if (m_unsaved)
        saveNow();
    if (travelKey == m_travelKey)
        return;
    m_travelKey = travelKey;
    m_unsaved = false;
    endEditing();
    m_thumbnails.cancelPending();
    // A working directory synchronised from another computer has its pictures elsewhere.
    m_thumbnails.setWorkingDirectory(m_store.dataFolder().workingDirectory());
    ImageLinkMap links;
    {
        const QSignalBlocker quiet(m_categories);
        ComboDropDown dropDown(m_categories);
        // An empty key loads nothing and leaves the store's categories empty.
        m_store.LoadCategories(m_travelKey, &dropDown, links);
        m_categories->setCurrentIndex(m_categories->count() > 0 ? 0 : -1);
    }
    m_model.setLinks(std::move(links));
    rebuildImageList();
    showCurrentImage();
}

int CImagesView::selectedCategory() const
{
    const int index = m_categories->currentIndex();
    return index < 0 ? 0 : m_categories->itemData(index).toInt();
}

void CImagesView::categoryChosen()
{
    rebuildImageList();
    showCurrentImage();
}

ImageButtons CImagesView::enabledButtons() const
{
    ImagesViewState state;
    state.travelShown = !m_travelKey.isEmpty();
    state.categorySelected = selectedCategory() > 0;
    state.currentRow = m_currentRow;
    state.rowCount = m_model.rowCount();
    return ImagesViewRules::EnabledButtons(state);
}

void CImagesView::updateButtons()
{
    const ImageButtons enabled = enabledButtons();
    m_addCategory->setEnabled(enabled.addCategory);
    m_renameCategory->setEnabled(enabled.renameCategory);
    m_deleteCategory->setEnabled(enabled.deleteCategory);
    m_addImage->setEnabled(enabled.addImage);
    m_previousImage->setEnabled(enabled.previousImage);
    m_changeImage->setEnabled(enabled.changeImage);
    m_removeImage->setEnabled(enabled.removeImage);
    m_nextImage->setEnabled(enabled.nextImage);
    m_saveCategory->setEnabled(!ImagesViewRules::CategoryName(m_categoryName->text()).isEmpty());
}

void CImagesView::rebuildImageList()
{
    m_model.showCategory(selectedCategory());
    m_currentRow = m_model.rowCount() > 0 ? 0 : -1;
    markCurrentRow();
}

void CImagesView::markCurrentRow()
{
    m_busy = true;
    m_list->markRow(m_currentRow);
    m_busy = false;
}

void CImagesView::showCurrentImage()
{
    endEditing();
    QString path;
    if (m_currentRow >= 0 && m_currentRow < m_model.rowCount()) {
        const ImageLink& shown = m_model.link(m_currentRow);
        m_caption->setText(shown.displayTitle);
        path = shown.picturePath;
    } else {
        m_currentRow = -1;
        m_caption->clear();
    }
    updateButtons();
    m_preview->setPicture(PictureFileHere(path, m_store.dataFolder().workingDirectory()));
}

void CImagesView::rowPicked()
{
    if (m_busy)
        return;
    const int row = m_list->markedRow();
    if (row < 0) {
        // The mark stays on the image shown.
        markCurrentRow();
        return;
    }
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    showCurrentImage();
}

void CImagesView::previousImage()
{
    if (m_currentRow <= 0)
        return;
    --m_currentRow;
    markCurrentRow();
    showCurrentImage();
}

void CImagesView::nextImage()
{
    if (m_currentRow < 0 || m_currentRow >= m_model.rowCount() - 1)
        return;
    ++m_currentRow;
    markCurrentRow();
    showCurrentImage();
}

// Categories

void CImagesView::beginEditing(bool rename)
{
    m_editing = true;
    m_renaming = rename;
    m_categories->hide();
    m_addCategory->hide();
    m_renameCategory->hide();
    m_deleteCategory->hide();
    m_categoryName->show();
    m_saveCategory->show();
    m_cancelCategory->show();
    m_categoryName->setFocus();
    updateButtons();
}

void CImagesView::endEditing()
{
    if (!m_editing)
        return;
    const bool hadFocus =
        m_categoryName->hasFocus() || m_saveCategory->hasFocus() || m_cancelCategory->hasFocus();
    m_editing = false;
    m_renaming = false;
    m_categoryName->hide();
    m_saveCategory->hide();
    m_cancelCategory->hide();
    m_categories->show();
    m_addCategory->show();
    m_renameCategory->show();
    m_deleteCategory->show();
    if (hadFocus)
        m_categories->setFocus();
}

void CImagesView::addCategory()
{
    if (m_travelKey.isEmpty())
        return;
    m_categoryName->clear();
    beginEditing(false);
}

void CImagesView::renameCategory()
{
    if (selectedCategory() <= 0)
        return;
    m_categoryName->setText(m_categories->currentText());
    beginEditing(true);
    m_categoryName->selectAll();
}

void CImagesView::cancelCategoryEdit()
{
    endEditing();
    updateButtons();
}

void CImagesView::saveCategoryEdit()
{
    if (!m_editing)
        return;
    const bool renaming = m_renaming;
    const QString name = ImagesViewRules::CategoryName(m_categoryName->text());
    endEditing();
    if (name.isEmpty()) {
        updateButtons();
        return;
    }
    int number = 0;
    {
        const QSignalBlocker quiet(m_categories);
        if (renaming) {
            const int index = m_categories->currentIndex();
            number = selectedCategory();
            if (number <= 0)
                return;
            // The new name moves the category to the end of the list; what else the
            // category carries (texts other programs keep in it) stays.
            ImageCategory category = m_store.Categories().value(number);
            category.name = name;
            m_store.SetCategory(number, category);
            m_categories->removeItem(index);
        } else {
            ImageCategory category;
            category.name = name;
            number = m_store.AddCategory(category);
        }
        m_categories->addItem(name, number);
        m_categories->setCurrentIndex(m_categories->count() - 1);
    }
    m_categoryName->clear();
    if (!renaming)
        rebuildImageList();
    showCurrentImage();
    commit();
}

void CImagesView::deleteCategory()
{
    const int index = m_categories->currentIndex();
    const int number = selectedCategory();
    if (number <= 0)
        return;
    endEditing();
    if (!m_prompter.ask(this, QStringLiteral("Are you sure want to delete this Category & all "
                                             "the image links under it?")))
        return;
    m_store.RemoveCategory(number);
    {
        const QSignalBlocker quiet(m_categories);
        m_categories->removeItem(index);
        m_categories->setCurrentIndex(index < m_categories->count() ? index : -1);
    }
    rebuildImageList();
    showCurrentImage();
    commit();
}

// Images

void CImagesView::listCommand(int command)
{
    switch (command) {
    case CImageLinkList::AddImage:
        addImage();
        break;
    case CImageLinkList::ChangeImage:
        changeImage();
        break;
    case CImageLinkList::RemoveImage:
        removeImage();
        break;
    default:
        break;
    }
}

void CImagesView::addImage()
{
    if (selectedCategory() <= 0)
        return;
    endEditing();
    CSelectImageDlg dialog(m_prompter, QString(), QString(), this);
    if (m_prompter.run(&dialog) != QDialog::Accepted || dialog.picturePath().isEmpty())
        return;
    const int row = m_model.addLink(dialog.picturePath(), dialog.displayTitle());
    if (row < 0) {
        m_prompter.inform(this, QStringLiteral("This category holds %1 images, as many as a "
                                               "category can hold. Add the image to another "
                                               "category.")
                                    .arg(LinksPerCategory));
        return;
    }
    // A file chosen again may have changed since it was read.
    m_thumbnails.forget(dialog.picturePath());
    m_preview->loader().forget(dialog.picturePath());
    m_currentRow = row;
    markCurrentRow();
    showCurrentImage();
    commit();
}

void CImagesView::changeImage()
{
    if (m_currentRow < 0 || m_currentRow >= m_model.rowCount())
        return;
    endEditing();
    const ImageLink& shown = m_model.link(m_currentRow);
    CSelectImageDlg dialog(m_prompter, shown.displayTitle, shown.picturePath, this);
    if (m_prompter.run(&dialog) != QDialog::Accepted || dialog.picturePath().isEmpty())
        return;
    m_model.changeLink(m_currentRow, dialog.picturePath(), dialog.displayTitle());
    m_thumbnails.forget(dialog.picturePath());
    m_preview->loader().forget(dialog.picturePath());
    showCurrentImage();
    commit();
}

void CImagesView::removeImage()
{
    if (m_currentRow < 0 || m_currentRow >= m_model.rowCount())
        return;
    endEditing();
    if (!m_prompter.ask(this, QStringLiteral("Are you sure want to remove this image?")))
        return;
    m_busy = true;
    m_model.removeLink(m_currentRow);
    if (m_currentRow >= m_model.rowCount())
        m_currentRow = m_model.rowCount() - 1;
    m_list->markRow(m_currentRow);
    m_busy = false;
    showCurrentImage();
    commit();
}

// Saving

void CImagesView::commit()
{
    m_unsaved = true;
    saveNow();
}

void CImagesView::saveNow()
{
    if (m_travelKey.isEmpty())
        return;
    if (const Outcome saved = m_store.SaveCategories(m_travelKey, m_model.links()); !saved.ok()) {
        if (saved.refusal() == Outcome::Refusal::OwnerGone)
            emit travelRemovedOutside(saved);
        else
            m_prompter.inform(this, saved.message());
        return;
    }
    m_unsaved = false;
}

Outcome CImagesView::keepAsNewTravel()
{
    if (m_travelKey.isEmpty())
        return {};
    const KeyOutcome added = m_store.AddTravel(m_store.GetTravel(m_travelKey));
    if (!added.ok())
        return added.outcome;
    m_travelKey = added.key;
    Outcome saved = m_store.SaveCategories(m_travelKey, m_model.links());
    if (saved.ok())
        m_unsaved = false;
    return saved;
}

bool CImagesView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_categoryName && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancelCategoryEdit();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
