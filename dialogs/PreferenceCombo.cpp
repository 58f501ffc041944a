#include "PreferenceCombo.h"

#include "GuiKit.h"
#include "TravelDataStore.h"

QComboBox* PreferenceCombo(TravelDataStore& store, PreferenceList list, Control id, QWidget* parent)
{
    auto* combo = WithControlId(new CGuiComboBoxExt(parent), id);
    combo->setEditable(true);
    combo->addItems(store.ReadPreferenceList(int(list)));
    return combo;
}
