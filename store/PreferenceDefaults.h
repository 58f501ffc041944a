#pragma once

#include <QString>

// The built-in text of preference list 1 to 7: items separated by "\n", as written
// into a data folder that holds no preference file at all.
QString DefaultPreferenceText(int listNumber);
