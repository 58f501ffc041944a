#include "ImagesViewRules.h"

namespace ImagesViewRules {

ImageButtons EnabledButtons(const ImagesViewState& state)
{
    ImageButtons buttons;
    buttons.addCategory = state.travelShown;
    const bool category = state.travelShown && state.categorySelected;
    buttons.renameCategory = category;
    buttons.deleteCategory = category;
    buttons.addImage = category;
    const bool shown = category && state.currentRow >= 0 && state.currentRow < state.rowCount;
    buttons.changeImage = shown;
    buttons.removeImage = shown;
    buttons.previousImage = shown && state.currentRow > 0;
    buttons.nextImage = shown && state.currentRow < state.rowCount - 1;
    return buttons;
}

QString CategoryName(const QString& text)
{
    return text.trimmed();
}

} // namespace ImagesViewRules
