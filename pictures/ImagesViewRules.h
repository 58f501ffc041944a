#pragma once

#include <QString>

// What the images view's buttons depend on.
struct ImagesViewState {
    bool travelShown = false;
    bool categorySelected = false;
    int currentRow = -1; // the image shown; -1 for none
    int rowCount = 0;
};

// Which of the images view's buttons are enabled.
struct ImageButtons {
    bool addCategory = false;
    bool renameCategory = false;
    bool deleteCategory = false;
    bool addImage = false;
    bool previousImage = false;
    bool changeImage = false;
    bool removeImage = false;
    bool nextImage = false;

    bool operator==(const ImageButtons&) const = default;
};

namespace ImagesViewRules {

// A category can be added while a travel is shown; renamed, deleted and given images while
// one is selected; the image shown can be changed and removed, and the images before and
// after it reached, when there are any.
ImageButtons EnabledButtons(const ImagesViewState& state);

// The name a category gets from the text of the name box: the text without the blanks
// around it. Empty when the box holds no name, and then Save stays disabled.
QString CategoryName(const QString& text);

} // namespace ImagesViewRules
