#pragma once

#include "ViewKinds.h"

// What the enabling rules of the commands look at: the kind of the upper view and its
// marked row.
struct UpperViewState {
    ViewKind kind = ViewKind::TravelList;
    DisplayMode displayMode = DisplayMode::Report; // of the travel list and the stage list
    int markedRow = -1;                            // -1 when no row is marked
    int rowCount = 0;
    int firstAppointmentRow = 0; // of the stage detail: its detail rows plus 2
    bool upperViewActive = true; // whether the upper view is the frame's active view
};

// Whether a command's rule allows it in this state; commands without a rule always are.
// A command is enabled when its rule allows it and something handles it.
bool CommandEnabled(int command, const UpperViewState& state);

// Whether a command has a rule that depends on the upper view.
bool CommandHasViewRule(int command);
