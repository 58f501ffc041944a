#include "TravelIcons.h"

#include "Bitmaps.h"

#include <QList>

QIcon TravelIcon(int iconNumber)
{
    static const QList<QIcon> icons = [] {
        const QList<QPixmap> small = LoadImageStrip(Bitmaps::TreeImages, 16);
        const QList<QPixmap> large = LoadImageStrip(Bitmaps::TravelIcons32, 32);
        QList<QIcon> made;
        for (int i = 0; i < Bitmaps::TravelIconCount; ++i) {
            QIcon icon;
            if (i < small.size())
                icon.addPixmap(small[i]);
            if (i < large.size())
                icon.addPixmap(large[i]);
            made.append(icon);
        }
        return made;
    }();
    return iconNumber >= 0 && iconNumber < icons.size() ? icons[iconNumber] : QIcon();
}
