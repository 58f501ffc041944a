#pragma once

#include "ImageLinkModel.h"
#include "ImagesViewRules.h"
#include "Outcome.h"
#include "PictureLoader.h"
#include "RecordKey.h"

#include <QScrollArea>

class CGuiComboBoxExt;
class CGuiEdit;
class CImageLinkList;
class CImagePreview;
class CPictureButton;
class Prompter;
class QLabel;
class TravelDataStore;

// The lower right-hand pane: the picture categories of the travel in hand and their
// images. A category is chosen in the drop-down list; its images are listed with
// thumbnails and the current one is previewed. Every change is written to the travel's
// category file at once; a write that fails is reported and tried again before the view
// shows another travel or closes.
class CImagesView : public QScrollArea {
    Q_OBJECT

public:
    CImagesView(TravelDataStore& store, Prompter& prompter, QWidget* parent = nullptr);
    ~CImagesView() override;

    // Shows the travel's pictures; an empty key shows none. Ignored once closed.
    void showTravel(const RecordKey& travelKey);
    const RecordKey& travelKey() const { return m_travelKey; }
    // After this, every request to show a travel is ignored.
    void setClosed() { m_closed = true; }
    // When another program removed the travel: writes a copy of it under a new key with
    // the categories shown, or forgets the changes that could not be saved.
    Outcome keepAsNewTravel();
    void discardChanges() { m_unsaved = false; }

    // What the user does.
    void addCategory();
    void renameCategory();
    void saveCategoryEdit();
    void cancelCategoryEdit();
    void deleteCategory();
    void addImage();
    void changeImage();
    void removeImage();
    void previousImage();
    void nextImage();

    // The state and the parts, for tests and measurements.
    int currentRow() const { return m_currentRow; }
    bool isEditingCategory() const { return m_editing; }
    ImageButtons enabledButtons() const;
    ImageLinkModel& linkModel() { return m_model; }
    PictureLoader& thumbnails() { return m_thumbnails; }
    CImageLinkList* imageList() const { return m_list; }
    CImagePreview* preview() const { return m_preview; }
    CGuiComboBoxExt* categories() const { return m_categories; }

signals:
    // A save was refused because another program removed the travel shown.
    void travelRemovedOutside(const Outcome& refused);

protected:
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutForm();
    int selectedCategory() const;
    void categoryChosen();
    void updateButtons();
    void rebuildImageList();
    void showCurrentImage();
    void markCurrentRow();
    void rowPicked();
    void beginEditing(bool rename);
    void endEditing();
    void listCommand(int command);
    // Writes the travel's categories now; a failure is reported and left for a later try.
    void commit();
    void saveNow();

    TravelDataStore& m_store;
    Prompter& m_prompter;
    PictureLoader m_thumbnails;
    ImageLinkModel m_model;

    QWidget* m_form;
    CImagePreview* m_preview;
    QLabel* m_caption;
    QLabel* m_categoryLabel;
    CGuiComboBoxExt* m_categories;
    CGuiEdit* m_categoryName;
    CPictureButton* m_addCategory;
    CPictureButton* m_renameCategory;
    CPictureButton* m_deleteCategory;
    CPictureButton* m_saveCategory;
    CPictureButton* m_cancelCategory;
    CImageLinkList* m_list;
    CPictureButton* m_previousImage;
    CPictureButton* m_addImage;
    CPictureButton* m_changeImage;
    CPictureButton* m_removeImage;
    CPictureButton* m_nextImage;

    RecordKey m_travelKey;
    bool m_closed = false;
    int m_currentRow = -1;
    bool m_busy = false;
    bool m_editing = false;
    bool m_renaming = false;
    bool m_unsaved = false;
};
