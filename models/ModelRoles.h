#pragma once

#include <Qt>

// The roles the list models answer beside Qt's own.
namespace ModelRole {

enum : int {
    // The key of the record a row shows (a travel or a stage).
    Key = Qt::UserRole + 1,
    // The tooltip of a row in the icon and list modes, where no columns show.
    IconModeToolTip,
};

} // namespace ModelRole
