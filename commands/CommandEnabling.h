#pragma once

#include "ViewKinds.h"

#include <optional>

// What the enabling rules of the commands look at: facts the upper view reads from its
// model, and whether it is the frame's active pane.
struct ViewFacts {
    ViewKind kind = ViewKind::TravelList;
    std::optional<DisplayMode> displayMode; // of the travel list and the stage list
    bool travelShown = false;               // the view shows a travel, or marks one in its list
    bool stageShown = false;                // likewise a stage
    bool recordMarked = false;              // the marked row holds one of the list's records
    bool upperViewActive = true;
};

// Whether a command's rule allows it with these facts; commands without a rule always
// are. A command is enabled when its rule allows it and something handles it.
bool CommandEnabled(int command, const ViewFacts& facts);
