#pragma once

#include "ControlIds.h"
#include "Records.h"

class QComboBox;
class QWidget;
class TravelDataStore;

// An editable drop-down filled with a preference list: what the user types is taken
// even when it is not in the list.
QComboBox* PreferenceCombo(TravelDataStore& store, PreferenceList list, Control id,
                           QWidget* parent);
