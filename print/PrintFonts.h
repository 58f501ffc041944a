#pragma once

#include <QFont>

// The fonts of a printed list. Where Arial or Garamond is not installed, the system's
// font of the same kind (sans serif, serif) stands in.
namespace PrintFonts {

QFont Heading(); // Arial 9 pt bold
QFont Body();    // Arial 9 pt
QFont Header();  // Garamond 11 pt
QFont Footer();  // Garamond 9 pt

} // namespace PrintFonts
