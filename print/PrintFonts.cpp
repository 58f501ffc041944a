#include "PrintFonts.h"

namespace PrintFonts {

namespace {

QFont make(const QString& family, QFont::StyleHint kind, int points, bool bold = false)
{
    QFont font(family, points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(kind);
    return font;
}

} // namespace

QFont Heading()
{
    return make(QStringLiteral("Arial"), QFont::SansSerif, 9, true);
}

QFont Body()
{
    return make(QStringLiteral("Arial"), QFont::SansSerif, 9);
}

QFont Header()
{
    return make(QStringLiteral("Garamond"), QFont::Serif, 11);
}

QFont Footer()
{
    return make(QStringLiteral("Garamond"), QFont::Serif, 9);
}

} // namespace PrintFonts
