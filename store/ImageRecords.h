#pragma once

#include <QList>
#include <QString>

#include <array>

// A picture category of a travel. The five further texts are carried through as read.
struct ImageCategory {
    QString name;
    std::array<QString, 5> further;
    qint32 imageCount = 0;

    bool operator==(const ImageCategory&) const = default;
};

// A link to a picture file. The removed mark lives in memory only and is never written.
struct ImageLink {
    QString picturePath;
    QString displayTitle;
    std::array<QString, 5> further;
    qint32 removed = 0;

    bool operator==(const ImageLink&) const = default;
};

// One category of a picture-category file with the links that follow it there.
struct StoredImageCategory {
    ImageCategory category;
    QList<ImageLink> links;

    bool operator==(const StoredImageCategory&) const = default;
};
