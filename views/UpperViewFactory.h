#pragma once

#include "ViewKinds.h"

class CUpperView;
class QWidget;
class TravelDataStore;

// Makes the view of a kind.
CUpperView* CreateUpperView(ViewKind kind, TravelDataStore& store, QWidget* parent = nullptr);
