#pragma once

#include <QString>

// The program's texts by identifier. For a command, the text before the first line
// break is its status-bar prompt and the text after it its tooltip.
QString ResourceText(int id);

// The status-bar prompt and the tooltip of a command (empty when it has none).
QString CommandPrompt(int commandId);
QString CommandTooltip(int commandId);
