#pragma once

#include <QColor>
#include <QFont>
#include <Qt>

// How the travel detail and the stage detail draw their rows: bold labels, values in a
// dark blue, the title bold and underlined as the sheet's heading.
namespace DetailSheetStyle {

// A role that is true for the heading cell, which is centred across its whole row.
constexpr int HeadingRole = Qt::UserRole + 20;

inline QFont Font(bool label, bool heading)
{
    QFont font;
    font.setBold(label || heading);
    font.setUnderline(heading && !label);
    return font;
}

inline QColor TextColour(bool label)
{
    return label ? QColor(Qt::black) : QColor(0x02, 0x42, 0x6F);
}

// The background of the marked row.
inline QColor MarkedBackground()
{
    return {0xE9, 0xE9, 0xE9};
}

} // namespace DetailSheetStyle
