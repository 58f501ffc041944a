#pragma once

// The kinds of node in the tree of travels: the month at the top, its travels, under each
// travel its check list, its expenses and its stages, and under those the stages.
enum class TreeNodeKind : int {
    Month,
    Travel,
    CheckList,
    Expenses,
    Stages,
    Stage,
};
