#pragma once

#include "ViewKinds.h"

class CUpperView;
class Prompter;
class QWidget;
class TravelDataStore;

// Makes the view of a kind.
// Views that ask the user something ask through the prompter.
CUpperView* CreateUpperView(ViewKind kind, TravelDataStore& store, Prompter& prompter,
                            QWidget* parent = nullptr);
