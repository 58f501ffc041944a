#pragma once

#include "CommandIds.h"
#include "ViewKinds.h"

#include <optional>

// The display mode a View menu command asks for; none for other commands.
inline std::optional<DisplayMode> DisplayModeOf(int command)
{
    switch (command) {
    case Cmd::ViewIcon:
        return DisplayMode::SmallIcons;
    case Cmd::ViewLargeIcon:
        return DisplayMode::LargeIcons;
    case Cmd::ViewList:
        return DisplayMode::List;
    case Cmd::ViewReport:
        return DisplayMode::Report;
    default:
        return std::nullopt;
    }
}
