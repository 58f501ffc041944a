#pragma once

// What the enabling rules of the commands look at: the kind of the upper view (1
// travel list, 2 travel detail, 3 check list, 4 expense list, 5 stage list, 6 stage
// detail) and its marked row.
struct UpperViewState {
    int kind = 1;
    int displayMode = 0; // of the travel list and the stage list: 0 to 3
    int markedRow = -1;  // -1 when no row is marked
    int rowCount = 0;
    int firstAppointmentRow = 0; // of the stage detail: its detail rows plus 2
    bool upperViewActive = true; // whether the upper view is the frame's active view
};

// Whether a command is enabled; commands without a rule always are.
bool CommandEnabled(int command, const UpperViewState& state);
